#include "tests/integration/emulator_process.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zv::test {

EmulatorProcess::EmulatorProcess(const std::vector<std::string>& options) {
  char dir[] = "/tmp/zv-emu-XXXXXX";
  if (mkdtemp(dir) == nullptr) return;
  dir_ = dir;
  link_ = dir_ + "/logger";
  transcript_ = dir_ + "/transcript.txt";
  dump_ = dir_ + "/memory.bin";

  std::vector<std::string> args = {KVAR2_EMU_PATH, "--link",        link_, "--transcript",
                                   transcript_,    "--dump-memory", dump_};
  args.insert(args.end(), options.begin(), options.end());
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  pid_ = fork();
  if (pid_ == 0) {
    execv(argv[0], argv.data());
    _exit(127);
  }
  if (pid_ < 0) return;
  struct stat st {};
  for (int i = 0; i < 200; ++i) {
    if (lstat(link_.c_str(), &st) == 0) {
      ready_ = true;
      return;
    }
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = -1;  // it exited: a bad option
      return;
    }
    usleep(25'000);
  }
}

EmulatorProcess::~EmulatorProcess() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  if (!dir_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
}

std::vector<uint8_t> EmulatorProcess::DumpedMemory() const {
  std::ifstream in(dump_, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<EmulatorProcess::Line> EmulatorProcess::Transcript() const {
  std::vector<Line> lines;
  std::ifstream in(transcript_);
  Line line{};
  char direction = 0;
  while (in >> std::dec >> line.at >> direction >> std::hex >> line.byte) {
    line.fromHost = direction == 'H';
    lines.push_back(line);
  }
  return lines;
}

}  // namespace zv::test
