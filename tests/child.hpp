#pragma once
// Runs the real program in a child process under a memory limit and an alarm,
// and collects its exit, the signal that ended it and everything it printed.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace kt::test {

struct ChildOutcome {
  int exitCode = -1;  // -1 when a signal ended it
  int signal = 0;     // SIGALRM: it hung
  std::string output;  // stdout and stderr together

  std::string Describe() const {
    if (signal == SIGALRM) return "hung";
    if (signal) return "killed by signal " + std::to_string(signal);
    return "exit " + std::to_string(exitCode);
  }
};

#if defined(__SANITIZE_ADDRESS__)
inline constexpr unsigned kChildSeconds = 60;  // instrumented code is slower
#else
inline constexpr unsigned kChildSeconds = 20;
#endif

inline ChildOutcome RunChild(const std::vector<std::string>& args, unsigned seconds = kChildSeconds) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return {};
  const pid_t pid = fork();
  if (pid < 0) {
    close(fds[0]);
    close(fds[1]);
    return {};
  }
  if (pid == 0) {
    dup2(fds[1], 1);
    dup2(fds[1], 2);
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer reserves terabytes of address space: bound the resident size instead.
    const char* old = std::getenv("ASAN_OPTIONS");
    setenv("ASAN_OPTIONS", ((old ? std::string(old) + ":" : "") + "hard_rss_limit_mb=512").c_str(), 1);
#else
    const rlimit limit{512ul << 20, 512ul << 20};
    setrlimit(RLIMIT_AS, &limit);
#endif
    alarm(seconds);  // survives exec: a hang ends in SIGALRM
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(fds[1]);
  ChildOutcome o;
  char buffer[4096];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) o.output.append(buffer, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) o.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) o.signal = WTERMSIG(status);
  return o;
}

}  // namespace kt::test
