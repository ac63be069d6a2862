#include "tools/host/EditedMotionFile.h"

#include <cstdio>
#include <filesystem>
#include <string_view>
#include <vector>

#include "framework/CFile.h"
#include "framework/CFileException.h"
#include "tools/host/AtomicFileWriter.h"
#include "tools/host/Commands.h"
#include "tools/host/TextIO.h"
#include "tools/host/UserMessages.h"

namespace {

std::string AsString(const CString& text) { return std::string(text.GetString(), static_cast<size_t>(text.GetLength())); }

// What the file holds now; nothing when it cannot be read.
std::optional<std::string> ContentNow(const std::string& path) {
  try {
    return AsString(CFile(path.c_str(), CFile::modeRead | CFile::typeBinary).ReadToEnd());
  } catch (const CFileException&) {
    return std::nullopt;
  }
}

// Where a recovery file may go, best first: the folder the person works in, then the temporary
// folder. A folder that cannot be named (the current one removed, say) is left out.
std::vector<std::filesystem::path> RecoveryFolders() {
  std::vector<std::filesystem::path> folders;
  std::error_code error;
  for (const auto& folder : {std::filesystem::current_path(error), std::filesystem::temp_directory_path(error)})
    if (!folder.empty()) folders.push_back(folder);
  return folders;
}

}  // namespace

bool EditedMotionFile::Read(CString& text) {
  std::error_code error;
  if (!std::filesystem::exists(m_Path, error) && !error) return true;
  CString content;
  if (!ReadInput(m_Path, content)) return false;
  m_Original = AsString(content);
  text = content;
  return true;
}

// A file that is gone is no one else's text: writing recreates it, or fails with its folder.
bool EditedMotionFile::ChangedSinceRead() const {
  std::error_code error;
  const bool there = std::filesystem::exists(m_Path, error) || error;
  return there && ContentNow(m_Path) != m_Original;
}

int EditedMotionFile::Save(const CString& text, bool force) const {
  const std::string content = AsString(text);
  if (!force && ChangedSinceRead())
    return Recover(content, "\"" + m_Path + "\" was changed by someone else while the editor was open; --force writes over it");
  std::string error;
  if (!WriteFileAtomically(m_Path, content, error)) return Recover(content, error);
  ReportEditEnding("written " + m_Path);
  return kExitOk;
}

int EditedMotionFile::Recover(const std::string& text, const std::string& why) const {
  const std::string name = std::filesystem::path(m_Path).filename().string() + ".recovered";
  std::string error;
  for (const auto& folder : RecoveryFolders()) {
    const std::string recovery = (folder / name).string();
    if (!WriteFileAtomically(recovery, text, error)) continue;
    ReportEditEnding("not written (" + why + "); the edited motion is in " + recovery);
    return kExitUsage;
  }
  ReportEditEnding("not written (" + why + "); no recovery file could be written either (" + error +
                   "), so the edited motion follows on standard output");
  std::fwrite(text.data(), 1, text.size(), stdout);
  return kExitUsage;
}

void ReportEditEnding(const std::string& ending) { TellUser("edit", "", ending); }
