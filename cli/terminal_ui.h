// The screen seam for a terminal: messages are printed in UTF-8 (results on stdout or stderr,
// failures on stderr), the download window becomes a progress bar on stderr, and questions
// are answered from the command line's options.
#pragma once

#include <cstdio>

#include "link/user_interface.h"

namespace zv::cli {

class TerminalUi final : public UserInterface {
 public:
  // Results go to `results` (stdout, or stderr when stdout carries the export file);
  // failures always go to stderr.
  explicit TerminalUi(std::FILE* results) : results_(results) {}

  Answer ShowMessage(const char* text, MessageIcon icon, MessageButtons buttons) override;
  int RunDownloadWindow(uint16_t range, Transfer& transfer) override;
  ConfigurationChoice ReadConfigurationChoice() override { return choice; }
  // The command line names its output itself; it is never asked for a path.
  bool AskExportPath(const char*) override { return false; }
  ExportFile* CreateExportFile() override { return nullptr; }

  // What the configuration write reads as the user's choice.
  ConfigurationChoice choice;

 private:
  std::FILE* results_;
};

}  // namespace zv::cli
