// The main window's controls, one call per control: what the state logic sets and reads. The
// Win32 window plays the calls onto its real controls; the tests keep them in maps.
#pragma once

#include <cstddef>

#include "app/control_ids.h"

namespace zv {

class Controls {
 public:
  virtual void SetEnabled(ControlId id, bool enabled) = 0;
  // A button's caption or the edit field's text, Windows-1250.
  virtual void SetText(ControlId id, const char* text) = 0;
  // The edit field's text in Windows-1250, cut to capacity - 1 bytes, NUL-terminated.
  virtual std::size_t GetText(ControlId id, char* out, std::size_t capacity) = 0;
  virtual void SetChecked(ControlId id, bool checked) = 0;
  virtual bool IsChecked(ControlId id) = 0;
  // index -1 (or one beyond the list) leaves the list without a selection.
  virtual void SelectItem(ControlId id, int index) = 0;
  // The selected item, or -1 when the list has none.
  virtual int SelectedItem(ControlId id) = 0;
  virtual void ShowStateIcon(bool connected) = 0;
  virtual void RepaintPanel() = 0;

 protected:
  ~Controls() = default;
};

}  // namespace zv
