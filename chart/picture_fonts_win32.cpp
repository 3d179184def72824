// The Windows build's cairo has no fontconfig, and so no font caches of its own to release.
#include "chart/picture_fonts.h"

namespace zv {

void ReleaseFontCaches() {}

}  // namespace zv
