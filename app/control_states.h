// The three control states of the main window and the switches between them, the port choice
// and the configuration record, decided here over the window's controls.
#pragma once

#include "app/controls.h"
#include "app/port_choices.h"
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
// The name the selected port is opened by; the list always has a selection, and anything else
// reads as its first entry, COM1.
const char* ChosenPortName(Controls& controls, const PortChoices& ports);

ConfigurationChoice ReadConfigurationChoice(Controls& controls);

// The screen seam's control half, for the main window: each state call goes to the functions
// above. The window adds the message boxes and dialogs.
class MainScreen : public UserInterface {
 public:
  MainScreen(Controls& controls, const PortChoices& ports) : controls_(controls), ports_(ports) {}

  void LockPortChoice() override { zv::LockPortChoice(controls_); }
  const char* ChosenPortName() override { return zv::ChosenPortName(controls_, ports_); }
  void ShowConnected(const LoggerInfo& info) override { ShowConnectedState(controls_, info); }
  void ShowDisconnected() override { ShowDisconnectedState(controls_); }
  void ShowSamplesLoaded() override { zv::ShowSamplesLoaded(controls_); }
  void RepaintPanel() override { controls_.RepaintPanel(); }
  ConfigurationChoice ReadConfigurationChoice() override {
    return zv::ReadConfigurationChoice(controls_);
  }

 private:
  Controls& controls_;
  const PortChoices& ports_;
};

}  // namespace zv
