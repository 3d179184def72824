// What the operations need from the screen. The Win32 main window implements it in the
// program; tests use a scripted one; the command-line companion prints instead.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zv {

// Control identifiers of the main window.
enum ControlId : int {
  ID_CONNECT = 300,
  ID_PORT = 301,
  ID_START_DELAY = 302,
  ID_INTERVAL = 303,
  ID_DURATION = 304,
  ID_CHANNELS = 305,
  ID_STATE_ICON = 306,
  ID_GROUP_LINK = 307,
  ID_GROUP_INFO = 308,
  ID_GROUP_ACTIONS = 309,
  ID_GROUP_CONFIG = 310,
  ID_READ = 311,
  ID_EXPORT = 312,
  ID_CHART = 313,
  ID_SAVE_CONFIG = 315,
  ID_ABOUT = 316,
  ID_LOGGER_ID = 317,
  ID_SIGNAL = 318,
};

enum class MessageIcon : uint8_t { Information, Exclamation, Stop, Question };
enum class MessageButtons : uint8_t { Ok, OkCancel, YesNoCancel };
enum class Answer : uint8_t { Ok, Cancel, Yes, No };

// One step of the download's progress bar.
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

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // A modal message box captioned with the program's title; text is Windows-1250 with "\r\n".
  virtual Answer ShowMessage(const char* text, MessageIcon icon,
                             MessageButtons buttons = MessageButtons::Ok) = 0;

  virtual void SetEnabled(ControlId id, bool enabled) = 0;
  // A button's caption or the edit field's text, Windows-1250.
  virtual void SetText(ControlId id, const char* text) = 0;
  virtual std::size_t GetText(ControlId id, char* out, std::size_t capacity) = 0;
  virtual void SetChecked(ControlId id, bool checked) = 0;
  virtual bool IsChecked(ControlId id) = 0;
  // index -1 (or one beyond the list) leaves the list without a selection.
  virtual void SelectItem(ControlId id, int index) = 0;
  virtual int SelectedItem(ControlId id) = 0;
  virtual void ShowStateIcon(bool connected) = 0;
  // The information panel is redrawn from the session's current texts.
  virtual void RepaintPanel() = 0;

  // Runs the modal download window with its progress range 0..range and step 32; the
  // transfer starts once the window is on screen. Returns the window's end code:
  // 1 after a successful transfer, 0 after a failed one or a close before it started.
  virtual int RunDownloadWindow(uint16_t range, Transfer& transfer) = 0;
};

}  // namespace zv
