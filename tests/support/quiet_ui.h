// A screen for benchmarks and allocation counts: messages are closed, questions cancelled,
// the download runs without a window, the export asks for no path, and nothing is recorded
// (so nothing is allocated).
#pragma once

#include "link/user_interface.h"
#include "samples/export_samples.h"

namespace zv::test {

class QuietUi : public UserInterface, public ExportScreen {
 public:
  void ShowMessage(const char*, MessageIcon) override {}
  Answer Ask(Question) override { return Answer::Cancel; }
  DownloadOutcome RunDownloadWindow(uint16_t, Transfer& transfer) override {
    struct NoProgress final : StepAction {
      void Step() override {}
    } progress;
    return transfer.Run(progress) ? DownloadOutcome::Succeeded : DownloadOutcome::Failed;
  }
  ConfigurationChoice ReadConfigurationChoice() override { return choice; }
  bool AskExportPath(const char*) override { return false; }
  ExportFile* CreateExportFile() override { return nullptr; }

  ConfigurationChoice choice;
};

}  // namespace zv::test
