// The screen seam for a terminal: messages are printed in UTF-8, the controls do not exist,
// and the download window becomes a progress bar on stderr.
#pragma once

#include <cstdio>

#include "link/headless_ui.h"

namespace zv::cli {

class TerminalUi final : public HeadlessUi {
 public:
  // Results go to `results` (stdout, or stderr when stdout carries the export file);
  // failures always go to stderr.
  explicit TerminalUi(std::FILE* results) : results_(results) {}

  Answer ShowMessage(const char* text, MessageIcon icon, MessageButtons buttons) override;
  int RunDownloadWindow(uint16_t range, Transfer& transfer) override;

 private:
  std::FILE* results_;
};

}  // namespace zv::cli
