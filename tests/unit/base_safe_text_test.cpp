// Text from outside on its way to a terminal, a picture or JSON: every kind of character that
// steers a reader, from each place such text comes from.
#include <gtest/gtest.h>

#include <string>

#include "base/safe_text.h"

namespace zv {
namespace {

TEST(SafeText, EveryUnsafeCharacterFromEverySourceIsShownAndNeverObeyed) {
  struct Row {
    const char* source;
    TextSource encoding;
    std::string in;
    const char* terminal;
    const char* echo;
    const char* picture;
    const char* json;
  };
  const Row rows[] = {
      // C1 from one of the code page's unassigned bytes; a backslash.
      {"logger identifier", TextSource::Cp1250, "Ch\xB3odnia\x90\\", "Chłodnia\\x90\\\\",
       "Chłodnia\\x90\\", "Chłodnia?\\", "Chłodnia\\u0090\\\\"},
      // A direction override: "FT232R" would read backwards.
      {"USB product name", TextSource::Utf8,
       "FT\xE2\x80\xAE"
       "232R",
       "FT\\u202e232R", "FT\\u202e232R", "FT?232R", "FT\\u202e232R"},
      // A raw byte that is not UTF-8 (a C1 CSI on an 8-bit terminal).
      {"tty name", TextSource::Utf8,
       "ttyUSB\x9B"
       "0",
       "ttyUSB\\x9b0", "ttyUSB\\x9b0", "ttyUSB?0", "ttyUSB\\ufffd0"},
      // C1 CSI as UTF-8, and DEL.
      {"process name", TextSource::Utf8, "ev\xC2\x9Bil\x7F", "ev\\u009bil\\x7f", "ev\\u009bil\\x7f",
       "ev?il?", "ev\\u009bil\\u007f"},
      // C0 ESC, quotes, a Windows path.
      {"option value", TextSource::Utf8, "\x1B[31m\"C:\\x\"", "\\x1b[31m\"C:\\\\x\"",
       "\\x1b[31m\"C:\\x\"", "?[31m\"C:\\x\"", "\\u001b[31m\\\"C:\\\\x\\\""},
      // Isolates, marks, a line separator, a noncharacter; a character beyond U+FFFF stays.
      {"report title", TextSource::Utf8,
       "a\xE2\x81\xA6"
       "b\xE2\x80\x8F"
       "c\xD8\x9C"
       "d\xE2\x80\xA8"
       "e\xEF\xBF\xBF\xF0\x9F\x98\x80",
       "a\\u2066b\\u200fc\\u061cd\\u2028e\\uffff\xF0\x9F\x98\x80",
       "a\\u2066b\\u200fc\\u061cd\\u2028e\\uffff\xF0\x9F\x98\x80", "a?b?c?d?e?\xF0\x9F\x98\x80",
       "a\\u2066b\\u200fc\\u061cd\\u2028e\\uffff\xF0\x9F\x98\x80"},
      // Next to the unsafe ranges, and safe: NBSP, U+202F, U+2065, U+206A.
      {"neighbours", TextSource::Utf8, "\xC2\xA0\xE2\x80\xAF\xE2\x81\xA5\xE2\x81\xAA",
       "\xC2\xA0\xE2\x80\xAF\xE2\x81\xA5\xE2\x81\xAA",
       "\xC2\xA0\xE2\x80\xAF\xE2\x81\xA5\xE2\x81\xAA",
       "\xC2\xA0\xE2\x80\xAF\xE2\x81\xA5\xE2\x81\xAA",
       "\xC2\xA0\xE2\x80\xAF\xE2\x81\xA5\xE2\x81\xAA"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.source);
    EXPECT_EQ(SafeText(row.in, row.encoding, SafeStyle::Terminal), row.terminal);
    EXPECT_EQ(SafeText(row.in, row.encoding, SafeStyle::Echo), row.echo);
    EXPECT_EQ(SafeText(row.in, row.encoding, SafeStyle::Picture), row.picture);
    EXPECT_EQ(SafeText(row.in, row.encoding, SafeStyle::Json), row.json);
    // Shown once, a text is safe: showing it again changes nothing.
    EXPECT_EQ(Echoed(row.echo), row.echo);
  }
}

}  // namespace
}  // namespace zv
