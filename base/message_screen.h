// The one thing every operation needs from a screen: a message the user reads and closes.
// The program shows a message box captioned with its title, the command line prints a line.
#pragma once

#include <cstdint>

namespace zv {

enum class MessageIcon : uint8_t { Information, Exclamation, Stop };

class MessageScreen {
 public:
  // A modal OK box; text is Windows-1250 with "\r\n" line breaks.
  virtual void ShowMessage(const char* text, MessageIcon icon) = 0;

 protected:
  ~MessageScreen() = default;
};

}  // namespace zv
