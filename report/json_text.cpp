#include "report/json_text.h"

#include "base/safe_text.h"

namespace zv {

std::string JsonString(std::string_view utf8) {
  // Appended, not "\"" + text: GCC 12 takes that for an overlapping copy (-Wrestrict).
  std::string out;
  out += '"';
  out += SafeText(utf8, TextSource::Utf8, SafeStyle::Json);
  out += '"';
  return out;
}

}  // namespace zv
