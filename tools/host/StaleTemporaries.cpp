#include "tools/host/StaleTemporaries.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr size_t kRandomPart = 6;  // mkstemp's XXXXXX
constexpr auto kQuietBeforeStale = std::chrono::minutes(1);

bool IsRandomPart(std::string_view text) {
  return text.size() == kRandomPart &&
         std::all_of(text.begin(), text.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

// The target's name inside ".NAME.XXXXXX", or empty for a file of another form.
std::string TargetNameOf(const std::string& file) {
  const size_t dot = file.size() > kRandomPart ? file.size() - kRandomPart - 1 : 0;
  if (file.size() < kRandomPart + 3 || file.front() != '.' || file[dot] != '.') return {};
  if (!IsRandomPart(std::string_view(file).substr(dot + 1))) return {};
  return file.substr(1, dot - 1);
}

// The temporaries of every target in a folder, by target name: the folder is listed once.
const std::multimap<std::string, fs::path>& TemporariesIn(const fs::path& folder) {
  static std::map<fs::path, std::multimap<std::string, fs::path>> listed;
  const auto [entry, first] = listed.try_emplace(folder);
  if (!first) return entry->second;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    if (const std::string name = TargetNameOf(it->path().filename().string()); !name.empty())
      entry->second.emplace(name, it->path());
  return entry->second;
}

bool QuietForLong(const struct stat& status) {
  const auto changed = std::chrono::system_clock::from_time_t(status.st_mtime);
  return std::chrono::system_clock::now() - changed >= kQuietBeforeStale;
}

// A regular file, quiet for long, whose lock no one holds; it is removed while this lock is held.
void RemoveIfStale(const fs::path& temporary) {
  const int file = open(temporary.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (file < 0) return;
  struct stat status;
  if (fstat(file, &status) == 0 && S_ISREG(status.st_mode) && QuietForLong(status) &&
      flock(file, LOCK_EX | LOCK_NB) == 0)
    unlink(temporary.c_str());
  close(file);
}

}  // namespace

void RemoveStaleTemporaries(const fs::path& target) {
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const auto [begin, end] = TemporariesIn(folder).equal_range(target.filename().string());
  for (auto it = begin; it != end; ++it) RemoveIfStale(it->second);
}

fs::path TemporaryPattern(const fs::path& target) {
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  return folder / ("." + target.filename().string() + "." + std::string(kRandomPart, 'X'));
}
