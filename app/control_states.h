// The three control states of the main window and the switches between them, the port choice
// and the configuration record, decided here over the window's controls.
#pragma once

#include "app/controls.h"
#include "base/info_tab.h"
#include "link/user_interface.h"

namespace zv {

// Whether reading the samples is offered after a connect: the logger recorded something,
// or its status says data may be there despite an empty pointer (sensor errors, power loss).
bool ReadingOffered(const INFO_TAB& tab);

void ShowConnectedState(Controls& controls, const LoggerInfo& info);
void ShowDisconnectedState(Controls& controls);
void ShowSamplesLoaded(Controls& controls);

void LockPortChoice(Controls& controls);
// The selected port, 0..3; the list always has a selection, and anything else reads as COM1.
int ChosenPortIndex(Controls& controls);

ConfigurationChoice ReadConfigurationChoice(Controls& controls);

// The screen seam's control half, for the main window: each state call goes to the functions
// above. The window adds the message boxes and dialogs.
class MainScreen : public UserInterface {
 public:
  explicit MainScreen(Controls& controls) : controls_(controls) {}

  void LockPortChoice() override { zv::LockPortChoice(controls_); }
  int ChosenPortIndex() override { return zv::ChosenPortIndex(controls_); }
  void ShowConnected(const LoggerInfo& info) override { ShowConnectedState(controls_, info); }
  void ShowDisconnected() override { ShowDisconnectedState(controls_); }
  void ShowSamplesLoaded() override { zv::ShowSamplesLoaded(controls_); }
  void RepaintPanel() override { controls_.RepaintPanel(); }
  ConfigurationChoice ReadConfigurationChoice() override {
    return zv::ReadConfigurationChoice(controls_);
  }

 private:
  Controls& controls_;
};

}  // namespace zv
