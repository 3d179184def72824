// The information panel as a picture: computed here from what the program knows of the
// logger, played onto the window by the paint handler.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/info_tab.h"
#include "picture/picture.h"
#include "picture/screen_tools.h"

namespace zv {

// Both fonts bold in a 14-pixel cell, as the window creates them for its controls too; the em
// and the baseline are the faces' own measures at that cell.
inline constexpr ScreenFont kPanelArial = {TypeFace::Arial, 12.5f, TextWeight::Bold, 14, 700, 11};
inline constexpr ScreenFont kPanelTahoma = {TypeFace::Tahoma, 11.6f, TextWeight::Bold, 14, 700, 12};

// The battery warning: red 255, green 15, blue 0.
inline constexpr uint32_t kPanelBatteryWarning = Rgb(0xFF, 0x0F, 0x00);

// Ten labels and four values.
inline constexpr std::size_t kPanelStepCapacity = 14;
using PanelPicture = FixedPicture<kPanelStepCapacity>;

// Begins the picture in `out` and adds its texts in drawing order.
void BuildInfoPanel(const LoggerInfo& info, PictureSink& out);

}  // namespace zv
