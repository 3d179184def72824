#include "report/page_text.h"

#include "report/text_width.h"

namespace zv {

namespace {

constexpr std::string_view kEllipsis = "…";

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The bytes of the start of `text` that end on a whole character, at most `limit`.
std::size_t WholeCharacters(std::string_view text, std::size_t limit) {
  if (limit >= text.size()) return text.size();
  while (limit > 0 && IsContinuation(text[limit])) --limit;
  return limit;
}

}  // namespace

void DrawPageText(PictureDraw& draw, float x, float y, std::string_view utf8,
                  const TextStyle& style) {
  const float width = TextWidth(utf8, style.size, style.weight);
  float at = style.anchor == TextAnchor::Middle ? x - width / 2
             : style.anchor == TextAnchor::End  ? x - width
                                                : x;
  TextStyle piece = style;
  piece.anchor = TextAnchor::Start;
  while (!utf8.empty()) {
    std::size_t length = WholeCharacters(utf8, kPictureTextCapacity);
    if (length == 0) length = 1;  // a stray continuation byte: drawn as '?'
    const std::string_view part = utf8.substr(0, length);
    draw.Text(at, y, part, piece);
    at += TextWidth(part, style.size, style.weight);
    utf8.remove_prefix(length);
  }
}

std::string FitStart(std::string_view utf8, float width, float size, TextWeight weight) {
  if (TextWidth(utf8, size, weight) <= width) return std::string(utf8);
  const float room = width - TextWidth(kEllipsis, size, weight);
  const std::size_t kept = room > 0 ? FittingBytes(utf8, room, size, weight) : 0;
  return std::string(utf8.substr(0, kept)) + std::string(kEllipsis);
}

std::string FitEnd(std::string_view utf8, float width, float size, TextWeight weight) {
  if (TextWidth(utf8, size, weight) <= width) return std::string(utf8);
  const float room = width - TextWidth(kEllipsis, size, weight);
  std::size_t start = utf8.size();
  while (start > 0) {
    std::size_t previous = start - 1;
    while (previous > 0 && IsContinuation(utf8[previous])) --previous;
    if (TextWidth(utf8.substr(previous), size, weight) > room) break;
    start = previous;
  }
  return std::string(kEllipsis) + std::string(utf8.substr(start));
}

std::vector<std::string> WrapLines(std::string_view utf8, float width, float size,
                                   TextWeight weight) {
  std::vector<std::string> lines;
  while (!utf8.empty()) {
    std::size_t fits = FittingBytes(utf8, width, size, weight);
    if (fits < utf8.size()) {
      const std::size_t space = utf8.substr(0, fits + 1).rfind(' ');
      if (space != std::string_view::npos && space > 0) fits = space;
    }
    if (fits == 0) {  // a character wider than the line: it takes a line of its own
      fits = 1;
      while (fits < utf8.size() && IsContinuation(utf8[fits])) ++fits;
    }
    lines.emplace_back(utf8.substr(0, fits));
    utf8.remove_prefix(fits);
    while (!utf8.empty() && utf8.front() == ' ') utf8.remove_prefix(1);
  }
  return lines;
}

}  // namespace zv
