// The colours every chart gives the channels, as the window draws them: A red, B blue.
#pragma once

#include "picture/picture.h"

namespace zv {

inline constexpr uint32_t kChannelAColor = Rgb(0xFF, 0, 0);
inline constexpr uint32_t kChannelBColor = Rgb(0, 0, 0xFF);

}  // namespace zv
