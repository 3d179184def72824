#include <fontconfig/fontconfig.h>

#include "chart/picture_fonts.h"

namespace zv {

void ReleaseFontCaches() {
  FcFini();
}

}  // namespace zv
