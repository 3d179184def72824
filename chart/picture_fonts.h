// What the cairo player's fonts keep for the life of the process, by system: fontconfig's
// caches where it finds the fonts (Linux), nothing where there is no fontconfig (Windows).
#pragma once

namespace zv {

// Called once the last picture is drawn, so that nothing is left behind for the leak checker.
void ReleaseFontCaches();

}  // namespace zv
