#include "tools/host/EditedMotionFile.h"

#include <cstdio>
#include <filesystem>
#include <string_view>
#include <vector>

#include "tools/host/AtomicFileWriter.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"
#include "tools/host/TextIO.h"
#include "tools/host/UserMessages.h"

namespace {

// A name with many recovery files beside it is taken to be a folder that refuses them all.
constexpr int kMostRecoveryNames = 10000;

std::string AsString(const CString& text) {
  return std::string(text.GetString(), static_cast<size_t>(text.GetLength()));
}

// What the file holds now; nothing when it cannot be read.
std::optional<std::string> ContentNow(const std::string& path) {
  const Result<CString> text = ReadInput(path);
  return text ? std::optional(AsString(text.Value())) : std::nullopt;
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

EditedMotionFile::EditedMotionFile(std::string path) : m_Path(std::move(path)), m_Target(m_Path) {
  const Result<std::string> target = LinkTarget(m_Path);
  if (target)
    m_Target = target.Value();
  else
    m_LinkFault = target.Failure().message;
}

bool EditedMotionFile::Read(CString& text) {
  if (m_LinkFault) {
    HostSession::ReportError(*m_LinkFault);
    return false;
  }
  std::error_code error;
  if (!std::filesystem::exists(m_Target, error) && !error) return true;
  CString content;
  if (!ReadInput(m_Target, content)) return false;
  m_Original = AsString(content);
  text = content;
  return true;
}

// A file that is gone is no one else's text: writing recreates it, or fails with its folder.
bool EditedMotionFile::ChangedSinceRead() const {
  std::error_code error;
  const bool there = std::filesystem::exists(m_Target, error) || error;
  return there && ContentNow(m_Target) != m_Original;
}

int EditedMotionFile::Save(const CString& text, bool force) const {
  const std::string content = AsString(text);
  if (!force && ChangedSinceRead())
    return Recover(content,
                   "\"" + m_Path + "\" was changed by someone else while the editor was open; --force writes over it");
  std::string error;
  if (!WriteFileAtomically(m_Target, content, error)) return Recover(content, error);
  ReportEditEnding(m_Target == m_Path ? "written " + m_Path : "written " + m_Target + " through the link " + m_Path);
  return kExitOk;
}

std::string EditedMotionFile::WriteRecovery(const std::string& folder, const std::string& text,
                                            std::string& error) const {
  const std::string name = (std::filesystem::path(folder) / std::filesystem::path(m_Path).filename()).string();
  for (int number = 1; number <= kMostRecoveryNames; ++number) {
    const std::string recovery = name + ".recovered" + (number == 1 ? "" : "-" + std::to_string(number));
    std::error_code taken;
    if (std::filesystem::symlink_status(recovery, taken).type() != std::filesystem::file_type::not_found) continue;
    AtomicFileWriter file;
    if (!file.OpenNew(recovery, error)) return {};
    std::fwrite(text.data(), 1, text.size(), file.Stream());
    switch (file.Commit(error)) {
      case AtomicFileWriter::Outcome::kWritten:
        return recovery;
      case AtomicFileWriter::Outcome::kNameTaken:
        continue;
      case AtomicFileWriter::Outcome::kFailed:
        return {};
    }
  }
  error = "every recovery name up to \".recovered-" + std::to_string(kMostRecoveryNames) + "\" is taken in " + folder;
  return {};
}

int EditedMotionFile::Recover(const std::string& text, const std::string& why) const {
  std::string error;
  for (const auto& folder : RecoveryFolders()) {
    const std::string recovery = WriteRecovery(folder.string(), text, error);
    if (recovery.empty()) continue;
    ReportEditEnding("not written (" + why + "); the edited motion is in " + recovery);
    return kExitUsage;
  }
  ReportEditEnding("not written (" + why + "); no recovery file could be written either (" + error +
                   "), so the edited motion follows on standard output");
  std::fwrite(text.data(), 1, text.size(), stdout);
  return kExitUsage;
}

void ReportEditEnding(const std::string& ending) { TellUser("edit", "", ending); }
