#include "cli/channel_option.h"

#include <cstdio>

namespace zv::cli {

CLI::Option* AddChannelsOption(CLI::App& command, ChannelChoice& choice, const std::string& help) {
  return command
      .add_option_function<std::string>(
          "--channels",
          [&choice](const std::string& text) {
            choice.a = text.find('a') != std::string::npos;
            choice.b = text.find('b') != std::string::npos;
          },
          help)
      ->check(CLI::IsMember({"a", "b", "ab"}));
}

void WarnWhenNoChannelB(const ChannelChoice& choice, uint8_t channelMode, const char* command,
                        const char* what) {
  if (channelMode != 2 && choice.b && !choice.a) {
    std::fprintf(stderr, "zorvant-cli %s: a one-channel logger has no channel B; A is %s\n",
                 command, what);
  }
}

}  // namespace zv::cli
