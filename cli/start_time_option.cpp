#include "cli/start_time_option.h"

namespace zv::cli {

CLI::Option* AddStartTimeOption(CLI::App& command, std::optional<StartTime>& start,
                                const std::string& help) {
  return command
      .add_option_function<std::string>(
          "--started-at",
          [&start](const std::string& text) {
            StartTime parsed;
            const StartTimeError error = ParseStartTime(text, parsed);
            if (error != StartTimeError::None) {
              throw CLI::ValidationError("--started-at",
                                         std::string(StartTimeErrorText(error)) + ", got " + text);
            }
            start = parsed;
          },
          help)
      ->type_name(kStartTimeForm);
}

}  // namespace zv::cli
