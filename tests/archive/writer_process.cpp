#include "tests/archive/writer_process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zv::archive::test {

Writer StartWriter(const std::vector<std::string>& arguments, const std::string& errors) {
  int pipeEnds[2];
  EXPECT_EQ(pipe(pipeEnds), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  if (!errors.empty()) {
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errors.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
  }
  std::vector<char*> argv{const_cast<char*>(ARCHIVE_WRITER_PATH)};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  Writer writer;
  EXPECT_EQ(posix_spawn(&writer.pid, ARCHIVE_WRITER_PATH, &actions, nullptr, argv.data(), environ),
            0);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  writer.output = pipeEnds[0];
  return writer;
}

int FinishWriter(const Writer& writer, std::vector<uint32_t>* confirmed) {
  std::string text;
  char buffer[4096];
  ssize_t n;
  while ((n = read(writer.output, buffer, sizeof buffer)) > 0) text.append(buffer, n);
  close(writer.output);
  int status = 0;
  waitpid(writer.pid, &status, 0);
  for (std::size_t at = 0; confirmed != nullptr && at < text.size();) {
    const std::size_t end = text.find('\n', at);
    if (end == std::string::npos) break;  // a line cut by the kill confirms nothing
    confirmed->push_back(static_cast<uint32_t>(std::stoul(text.substr(at, end - at))));
    at = end + 1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace zv::archive::test
