#include <gtest/gtest.h>

#include <string>

#include "cli/output_file.h"

namespace zv::cli {
namespace {

// The temporary file's name beside its target fits both the folder's longest name and the
// longest path, cut before a whole character; where even an empty name cannot fit, none.
TEST(OutputFile, TemporaryNamesFitTheNameAndThePath) {
  const struct {
    const char* target;
    std::size_t maxComponent, maxPath;
    const char* prefix;  // null: refused
  } cases[] = {
      {"dir/name.txt", 255, 4095, "dir/name.txt"},
      {"dir/name.txt", 10, 4095, "dir/nam"},
      {"dir/abcdefghij", 255, 18, "dir/abcdefg"},
      {"d/\xC5\xBC\xC5\xBC\xC5\xBC", 255, 13, "d/\xC5\xBC\xC5\xBC"},
      {"d/\xC5\xBC\xC5\xBC\xC5\xBC", 255, 12, "d/\xC5\xBC"},
      {"dir/x", 255, 11, "dir/"},
      {"dir/x", 255, 10, nullptr},
  };
  for (const auto& c : cases) {
    char out[64];
    const bool fits = TemporaryPrefix(c.target, 7, c.maxComponent, c.maxPath, out, sizeof out);
    EXPECT_EQ(fits, c.prefix != nullptr) << c.target << " " << c.maxPath;
    if (fits && c.prefix != nullptr) {
      EXPECT_STREQ(out, c.prefix) << c.target;
    }
  }
}

}  // namespace
}  // namespace zv::cli
