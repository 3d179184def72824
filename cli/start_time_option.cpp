#include "cli/start_time_option.h"

#include "samples/civil_time.h"

namespace zv::cli {

std::string CheckStartTime(const std::string& text) {
  StartTime start;
  const StartTimeError error = ParseStartTime(text, start);
  if (error == StartTimeError::None) return {};
  return std::string(StartTimeErrorText(error)) + ", got " + text;
}

}  // namespace zv::cli
