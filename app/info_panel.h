// The information panel as a short list of drawing steps: computed here from what the
// program knows of the logger, played onto the window by the paint handler.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/info_tab.h"

namespace zv {

enum class PanelFont : uint8_t { Arial, Tahoma };

enum class PanelStepKind : uint8_t { SelectFont, TextColor, Text };

inline constexpr uint32_t kPanelBlack = 0x000000;
// Red 255, green 15, blue 0 in the platform's 0x00BBGGRR form: the battery warning.
inline constexpr uint32_t kPanelBatteryWarning = 0x000FFF;

struct PanelStep {
  PanelStepKind kind = PanelStepKind::Text;
  PanelFont font = PanelFont::Arial;  // SelectFont
  uint32_t color = kPanelBlack;       // TextColor
  int16_t x = 0;                      // Text: top-left corner of the first character
  int16_t y = 0;
  const char* text = nullptr;  // Text: Windows-1250 bytes, not necessarily NUL-terminated
  uint8_t length = 0;          // Text: the exact byte count to draw
};

// Two fonts, two colours, ten labels, four values and the optional warning colour.
inline constexpr std::size_t kPanelStepCapacity = 20;

struct PanelSteps {
  PanelStep steps[kPanelStepCapacity];
  std::size_t count = 0;
};

// The steps in drawing order; the value texts point into `info`, which must outlive them.
void BuildInfoPanel(const LoggerInfo& info, PanelSteps& out);

}  // namespace zv
