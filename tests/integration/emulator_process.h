// Runs kvar2-emu as a child process with its link, transcript and memory dump in a fresh
// temporary folder, and stops it (and removes the folder) when the object goes.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace zv::test {

class EmulatorProcess {
 public:
  // Starts the emulator with these extra options and waits (up to 5 s) for its link.
  explicit EmulatorProcess(const std::vector<std::string>& options = {});
  ~EmulatorProcess();
  EmulatorProcess(const EmulatorProcess&) = delete;
  EmulatorProcess& operator=(const EmulatorProcess&) = delete;

  bool Ready() const { return ready_; }
  const std::string& Link() const { return link_; }
  // The memory the emulator sends, as it dumped it at start.
  std::vector<uint8_t> DumpedMemory() const;
  // The transcript so far: each line "<us> <H|L> <hex>".
  struct Line {
    long long at;
    bool fromHost;
    unsigned byte;
  };
  std::vector<Line> Transcript() const;

 private:
  std::string dir_;
  std::string link_;
  std::string transcript_;
  std::string dump_;
  pid_t pid_ = -1;
  bool ready_ = false;
};

}  // namespace zv::test
