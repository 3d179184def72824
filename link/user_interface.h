// What the operations need from the screen, in the operations' own words. The program's main
// window answers on its controls and dialogs, the command line in a terminal, the tests from a
// script. Which control is enabled in which state is the window's business, not the link's.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/info_tab.h"
#include "base/message_screen.h"
#include "base/value_tables.h"

namespace zv {

// The configuration write's three questions. The window turns each into its text, icon and
// buttons; the command line answers each from an option.
enum class Question : uint8_t {
  EraseSamples,  // erase the sample memory? Yes, No or Cancel
  MemoryFull,    // the memory is full: erase it and save? OK or Cancel
  ModeChange,    // a new channel mode erases the memory: save? OK or Cancel
};
enum class Answer : uint8_t { Ok, Cancel, Yes, No };

// How the download window ended.
enum class DownloadOutcome : uint8_t {
  Succeeded,   // the transfer ran and succeeded
  Failed,      // the transfer ran and failed
  NotStarted,  // the window was closed, or failed to open, before the transfer began
};

// One step of the download's progress.
class StepAction {
 public:
  virtual void Step() = 0;

 protected:
  ~StepAction() = default;
};

// The blocking transfer that the download window starts once it is on screen.
class Transfer {
 public:
  virtual bool Run(StepAction& step) = 0;

 protected:
  ~Transfer() = default;
};

// The configuration controls as the user left them, read at once by the configuration write.
struct ConfigurationChoice {
  // Selected items of the start delay, interval and duration lists; -1 when a list has no
  // selection (the logger reported an index beyond its table).
  int startDelayIndex = 0;
  int intervalIndex = 0;
  int durationIndex = 0;
  int channelsIndex = 0;  // 0: channel A only; 1: channels A and B
  bool signal = false;    // "sygnalizuj pomiar"
  // The identifier field in Windows-1250, cut to 13 bytes, NUL-terminated.
  char identifier[kLoggerIdSize] = {};
};

class UserInterface : public virtual MessageScreen {
 public:
  virtual ~UserInterface() = default;

  // A question of the configuration write; closing the question counts as Cancel.
  virtual Answer Ask(Question question) = 0;

  // Connect: the port cannot change while a link is open; the name the chosen port is opened
  // by ("COM3", "\\.\COM12").
  virtual void LockPortChoice() {}
  virtual const char* ChosenPortName() { return PortNames.Entry(0) + 1; }

  // The three states of the screen. A screen without controls has nothing to show for them.
  virtual void ShowConnected(const LoggerInfo&) {}
  virtual void ShowDisconnected() {}
  virtual void ShowSamplesLoaded() {}
  // The information panel is redrawn from the session's current texts.
  virtual void RepaintPanel() {}

  // Runs the modal download window with its progress over 0..range; the transfer starts once
  // the window is on screen.
  virtual DownloadOutcome RunDownloadWindow(uint16_t range, Transfer& transfer) = 0;

  // The configuration write's view of the configuration controls.
  virtual ConfigurationChoice ReadConfigurationChoice() = 0;
};

}  // namespace zv
