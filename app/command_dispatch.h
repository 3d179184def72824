// Routes a command of the main window to the one operation its control stands for.
#pragma once

#include <cstdint>

namespace zv {

// The operations a command can start; the window implements them over the real program
// state, tests with counters.
class ShellOperations {
 public:
  virtual void ConnectOrDisconnect() = 0;
  virtual void RunDownload() = 0;
  virtual void ExportSamples() = 0;
  virtual void ShowChart() = 0;
  virtual void WriteConfiguration() = 0;
  virtual void ShowAboutBox() = 0;

 protected:
  ~ShellOperations() = default;
};

enum class Dispatched : uint8_t { Handled, DefaultHandling };

// Routes the command of one control identifier; the window takes the identifier from the
// command's low 16 bits and ignores its notification code. No state is checked: disabled
// controls are what keep a command from arriving.
Dispatched DispatchCommand(uint16_t controlId, ShellOperations& ops);

}  // namespace zv
