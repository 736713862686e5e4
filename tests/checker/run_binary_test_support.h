// Runs a program with arguments in a given directory and captures what it
// writes to each stream and its exit status, for end-to-end tests.
#pragma once

#include <fcntl.h>
#include <malloc.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <string>
#include <vector>

namespace lyre::test_support {

struct RunResult {
  std::string out;
  std::string err;
  // The exit status; 128 + the signal number when the program was killed;
  // 127 with "<exec failed>" on `err` when it could not be started; -1 when
  // the run could not be set up or did not end within the time limit (`err`
  // then says why).
  int status = -1;
  // The child's peak resident size in bytes. Linux counts in it what the
  // child held between fork and exec, which is as much as this process held
  // at the fork; run_binary keeps that small by giving back freed memory.
  std::size_t peak_rss_bytes = 0;
};

namespace run_detail {

inline long long now_ms() {
  timespec t;
  ::clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<long long>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

// Reads both pipes as data arrives, so a program that fills one of them
// while the other is unread cannot stall. Returns false on timeout.
inline bool drain(int out_fd, int err_fd, std::string& out, std::string& err, int timeout_ms) {
  pollfd fds[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
  std::string* sinks[2] = {&out, &err};
  const long long deadline = now_ms() + timeout_ms;
  int open_count = 2;
  while (open_count > 0) {
    const long long left = deadline - now_ms();
    if (left <= 0) return false;
    const int ready = ::poll(fds, 2, static_cast<int>(left));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) {
        fds[i].fd = -1;
        --open_count;
        continue;
      }
      sinks[i]->append(buffer, static_cast<std::size_t>(got));
    }
  }
  return true;
}

}  // namespace run_detail

// Runs `program` (a path) with `args` in the directory `cwd`, standard
// input from the file `stdin_path`, or /dev/null when it is empty.
inline RunResult run_binary(const std::string& program, const std::vector<std::string>& args,
                            const std::string& cwd, int timeout_ms = 20000,
                            const std::string& stdin_path = "") {
  RunResult result;
  // Everything the child needs is prepared before fork: after it, the child
  // only calls async-signal-safe functions.
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  int out_pipe[2];
  int err_pipe[2];
  if (::pipe2(out_pipe, O_CLOEXEC) != 0) {
    result.err = "<pipe failed>";
    return result;
  }
  if (::pipe2(err_pipe, O_CLOEXEC) != 0) {
    ::close(out_pipe[0]);
    ::close(out_pipe[1]);
    result.err = "<pipe failed>";
    return result;
  }
  const int in_fd =
      ::open(stdin_path.empty() ? "/dev/null" : stdin_path.c_str(), O_RDONLY | O_CLOEXEC);
  if (in_fd < 0 && !stdin_path.empty()) {
    for (const int fd : {out_pipe[0], out_pipe[1], err_pipe[0], err_pipe[1]}) ::close(fd);
    result.err = "<cannot open " + stdin_path + ">";
    return result;
  }
  // The child's peak counts the pages it shares with this process at the
  // fork; inputs a test built and dropped must not show up in it.
  ::malloc_trim(0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::chdir(cwd.c_str()) != 0) ::_exit(126);
    if (in_fd >= 0) ::dup2(in_fd, 0);
    ::dup2(out_pipe[1], 1);
    ::dup2(err_pipe[1], 2);
    ::execv(program.c_str(), argv.data());
    constexpr char failed[] = "<exec failed>";
    [[maybe_unused]] const ssize_t ignored = ::write(2, failed, sizeof failed - 1);
    ::_exit(127);
  }
  if (in_fd >= 0) ::close(in_fd);
  ::close(out_pipe[1]);
  ::close(err_pipe[1]);
  if (pid < 0) {
    ::close(out_pipe[0]);
    ::close(err_pipe[0]);
    result.err = "<fork failed>";
    return result;
  }
  const bool finished =
      run_detail::drain(out_pipe[0], err_pipe[0], result.out, result.err, timeout_ms);
  ::close(out_pipe[0]);
  ::close(err_pipe[0]);
  if (!finished) ::kill(pid, SIGKILL);
  int wait_status = 0;
  rusage usage{};
  while (::wait4(pid, &wait_status, 0, &usage) < 0 && errno == EINTR) {
  }
  // ru_maxrss is in kilobytes on Linux.
  result.peak_rss_bytes = static_cast<std::size_t>(usage.ru_maxrss) * 1024;
  if (!finished) {
    result.err += "<timeout>";
    result.status = -1;
  } else if (WIFEXITED(wait_status)) {
    result.status = WEXITSTATUS(wait_status);
  } else if (WIFSIGNALED(wait_status)) {
    result.status = 128 + WTERMSIG(wait_status);
  }
  return result;
}

}  // namespace lyre::test_support
