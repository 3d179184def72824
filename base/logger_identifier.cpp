#include "base/logger_identifier.h"

#include "base/text1250.h"

namespace zv {

namespace {

// Built by appending: GCC 12 takes "\"" + std::string for an overlapping copy (-Wrestrict).
std::string Quoted(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted += '"';
  quoted += text;
  quoted += '"';
  return quoted;
}

}  // namespace

bool IdentifierFromUtf8(std::string_view utf8, bool allowControls, char (&id)[kLoggerIdSize],
                        std::string& why) {
  std::size_t length = 0;
  std::string_view culprit;
  switch (Utf8ToCp1250(utf8, allowControls, id, sizeof id, length, culprit)) {
    case Cp1250Conversion::Ok:
      return true;
    case Cp1250Conversion::Malformed:
      why = "the text is not valid UTF-8";
      return false;
    case Cp1250Conversion::NoCp1250Byte:
      why = Quoted(culprit) + " has no Windows-1250 byte; the logger cannot store it";
      return false;
    case Cp1250Conversion::Control:
      why = "control characters cannot be stored in the identifier";
      return false;
    case Cp1250Conversion::TooLong:
      why = Quoted(utf8) + " takes " + std::to_string(length) +
            " bytes in Windows-1250; the logger stores at most " +
            std::to_string(kLoggerIdSize - 1);
      return false;
  }
  return false;
}

}  // namespace zv
