#include "pictures/PngRenderer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;

namespace {

constexpr const char* kRenderer = "rsvg-convert";

// A pipe's two ends, closed when it goes.
struct Pipe {
  int ends[2] = {-1, -1};

  Pipe() = default;
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;

  bool Open() { return pipe2(ends, O_CLOEXEC) == 0; }
  void Close(int end) {
    if (ends[end] >= 0) close(ends[end]);
    ends[end] = -1;
  }
  ~Pipe() {
    Close(0);
    Close(1);
  }
};

// Writing to a child that has gone must fail with EPIPE, not end motion-host.
class PipeSignalIgnored {
 public:
  PipeSignalIgnored() {
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, &m_Kept);
  }
  ~PipeSignalIgnored() { sigaction(SIGPIPE, &m_Kept, nullptr); }

 private:
  struct sigaction m_Kept = {};
};

// Appends what is there to read; false at the end of the stream.
bool ReadSome(int fd, std::string& into) {
  char buffer[65536];
  const ssize_t count = read(fd, buffer, sizeof buffer);
  if (count > 0) into.append(buffer, static_cast<size_t>(count));
  return count > 0 || (count < 0 && errno == EINTR);
}

// Feeds the picture to the child while taking in what it prints, so that neither side waits on a
// full pipe.
void Exchange(Pipe& input, Pipe& output, Pipe& errors, std::string_view svg, std::string& png, std::string& messages) {
  size_t written = 0;
  if (svg.empty()) input.Close(1);
  while (output.ends[0] >= 0 || errors.ends[0] >= 0) {
    pollfd fds[3] = {{input.ends[1], POLLOUT, 0}, {output.ends[0], POLLIN, 0}, {errors.ends[0], POLLIN, 0}};
    if (poll(fds, 3, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[0].revents != 0) {
      const ssize_t count = write(input.ends[1], svg.data() + written, svg.size() - written);
      if (count > 0) written += static_cast<size_t>(count);
      if ((count < 0 && errno != EINTR && errno != EAGAIN) || written == svg.size()) input.Close(1);
    }
    if (fds[1].revents != 0 && !ReadSome(output.ends[0], png)) output.Close(0);
    if (fds[2].revents != 0 && !ReadSome(errors.ends[0], messages)) errors.Close(0);
  }
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

}  // namespace

bool RenderPng(std::string_view svg, std::string& png, std::string& error) {
  Pipe input, output, errors;
  if (!input.Open() || !output.Open() || !errors.Open()) {
    error = std::string("cannot make a pipe to ") + kRenderer + ": " + std::strerror(errno);
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input.ends[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, output.ends[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, errors.ends[1], STDERR_FILENO);
  char* arguments[] = {const_cast<char*>(kRenderer), const_cast<char*>("--format=png"), nullptr};
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, kRenderer, &actions, nullptr, arguments, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    error = std::string("cannot run ") + kRenderer + " (Debian package librsvg2-bin): " + std::strerror(spawned);
    return false;
  }
  input.Close(0);
  output.Close(1);
  errors.Close(1);
  std::string messages;
  {
    const PipeSignalIgnored ignored;
    Exchange(input, output, errors, svg, png, messages);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && !png.empty()) return true;
  error = std::string(kRenderer) + " could not render the picture" +
          (messages.empty() ? std::string() : ": " + FirstLine(messages));
  return false;
}
