// What the operations need from the screen, in the operations' own words. The program's main
// window answers on its controls and dialogs, the command line in a terminal, the tests from a
// script. Which control is enabled in which state is the window's business, not the link's.
#pragma once

#include <cstddef>
#include <cstdint>

#include "link/info_tab.h"
#include "samples/byte_sink.h"

namespace zv {

enum class MessageIcon : uint8_t { Information, Exclamation, Stop, Question };
enum class MessageButtons : uint8_t { Ok, OkCancel, YesNoCancel };
enum class Answer : uint8_t { Ok, Cancel, Yes, No };

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

// Where an export is written: bytes go to a temporary file beside the chosen target, which
// Commit moves over the target once complete; a failed or abandoned file leaves no trace.
class ExportFile : public ByteSink {
 public:
  // Complete, flushed, closed and in place; false when any write or step failed.
  virtual bool Commit() = 0;

 protected:
  ~ExportFile() = default;
};

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // A modal message box captioned with the program's title; text is Windows-1250 with "\r\n".
  // Closing a question box counts as Cancel.
  virtual Answer ShowMessage(const char* text, MessageIcon icon,
                             MessageButtons buttons = MessageButtons::Ok) = 0;

  // Connect: the port cannot change while a link is open; which of COM1..COM4 is chosen.
  virtual void LockPortChoice() {}
  virtual int ChosenPortIndex() { return 0; }

  // The three states of the screen. A screen without controls has nothing to show for them.
  virtual void ShowConnected(const LoggerInfo&) {}
  virtual void ShowDisconnected() {}
  virtual void ShowSamplesLoaded() {}
  // The information panel is redrawn from the session's current texts.
  virtual void RepaintPanel() {}

  // Runs the modal download window with its progress over 0..range; the transfer starts once
  // the window is on screen. Returns the window's end code: 1 after a successful transfer,
  // 0 after a failed one or a close before it started.
  virtual int RunDownloadWindow(uint16_t range, Transfer& transfer) = 0;

  // The configuration write's view of the configuration controls.
  virtual ConfigurationChoice ReadConfigurationChoice() = 0;

  // The export's save question, with the proposed name (Windows-1250); false when the user
  // cancels or the dialog fails. The chosen path stays with the screen.
  virtual bool AskExportPath(const char* proposedName) = 0;
  // Creates the export file at the path just chosen; null when it cannot be created.
  virtual ExportFile* CreateExportFile() = 0;
};

}  // namespace zv
