#include "report/report_title.h"

#include <vector>

#include "base/safe_text.h"
#include "report/page_text.h"
#include "report/report_page.h"
#include "report/text_width.h"

namespace zv {

std::string TitleProblem(std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp = 0;
    const std::size_t length = DecodeCharacter(utf8, i, cp);
    if (length == 0) return "is not valid UTF-8";
    if (IsUnsafeCharacter(cp)) return "contains a control character";
    i += length;
  }
  const std::vector<std::string> lines =
      WrapLines(utf8, kReportContentWidth, kTitleSize, TextWeight::Bold);
  if (lines.size() <= kTitleLines) return {};
  std::size_t fitting = 0;
  for (std::size_t i = 0; i < kTitleLines; ++i) fitting += CountCharacters(lines[i]);
  return "is too long for the page: " + std::to_string(CountCharacters(utf8)) +
         " characters, of which about " + std::to_string(fitting) + " fit its " +
         std::to_string(kTitleLines) + " lines";
}

}  // namespace zv
