// A screen for benchmarks and allocation counts: OK boxes are closed, questions cancelled,
// the download runs without a window, and nothing is recorded (so nothing is allocated).
#pragma once

#include "link/user_interface.h"

namespace zv::test {

class QuietUi : public UserInterface {
 public:
  Answer ShowMessage(const char*, MessageIcon, MessageButtons buttons) override {
    return buttons == MessageButtons::Ok ? Answer::Ok : Answer::Cancel;
  }
  int RunDownloadWindow(uint16_t, Transfer& transfer) override {
    struct NoProgress final : StepAction {
      void Step() override {}
    } progress;
    return transfer.Run(progress) ? 1 : 0;
  }
  ConfigurationChoice ReadConfigurationChoice() override { return choice; }
  bool AskExportPath(const char*) override { return false; }
  ExportFile* CreateExportFile() override { return nullptr; }

  ConfigurationChoice choice;
};

}  // namespace zv::test
