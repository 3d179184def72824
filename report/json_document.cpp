#include "report/json_document.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <string_view>

#include "base/safe_text.h"
#include "base/text1250.h"

namespace zv {

namespace {

// The library escapes the C0 controls, '"' and '\' and leaves every other character as it is.
// Unsafe characters can only stand inside strings (the rest of a document is ASCII syntax), and
// none of them is part of an escape, so each is replaced where it stands.
std::string EscapeUnsafe(std::string_view dumped) {
  std::string out;
  out.reserve(dumped.size());
  for (std::size_t i = 0; i < dumped.size();) {
    const std::size_t start = i;
    const long cp = DecodeUtf8(dumped.data(), dumped.size(), i);
    // A raw line end is the layout's: inside a string the library has escaped it already.
    if (cp == '\n' || (cp >= 0 && !IsUnsafeCharacter(static_cast<char32_t>(cp)))) {
      out.append(dumped.substr(start, i - start));
      continue;
    }
    // A byte that is not UTF-8 cannot come out of the replacing dump; should one, it is
    // written as the replacement character rather than passed on.
    char form[16];
    std::snprintf(form, sizeof form, "\\u%04lx",
                  cp >= 0 ? static_cast<unsigned long>(cp) : 0xFFFDul);
    out += form;
  }
  return out;
}

template <typename Json>
std::string Dumped(const Json& document, int indent) {
  return EscapeUnsafe(document.dump(indent, ' ', false, Json::error_handler_t::replace));
}

}  // namespace

std::string DumpJson(const nlohmann::json& document, int indent) {
  return Dumped(document, indent);
}

std::string DumpJson(const nlohmann::ordered_json& document, int indent) {
  return Dumped(document, indent);
}

}  // namespace zv
