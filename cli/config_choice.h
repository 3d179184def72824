// The configuration a `config` command asks for: its option texts checked and converted before
// anything is sent, then laid over the logger's current configuration.
#pragma once

#include <string>

#include "base/info_tab.h"
#include "link/user_interface.h"

namespace zv::cli {

// The option texts as given; an empty optional field keeps the logger's value.
struct ConfigOptionTexts {
  bool startDelayGiven = false, intervalGiven = false, durationGiven = false;
  std::string startDelay, interval, duration;  // an index or a list entry's text (UTF-8)
  std::string channels;                        // "a", "ab" or empty
  std::string signal;                          // "on", "off" or empty
  bool idGiven = false;
  std::string id;  // UTF-8
};

// What the options change, in the program's terms; -1 keeps the logger's value.
struct ConfigOverrides {
  int startDelay = -1;
  int interval = -1;
  int duration = -1;
  int channels = -1;  // 0: channel A only; 1: channels A and B
  int signal = -1;    // 0 or 1
  bool idGiven = false;
  char id[kLoggerIdSize] = {};  // Windows-1250, NUL-terminated
};

// Checks and converts every option text. On a refusal, `error` says which option and why
// (UTF-8) and nothing may be sent.
bool ParseConfigOptions(const ConfigOptionTexts& texts, ConfigOverrides& overrides,
                        std::string& error);

// The choice the window would show after this connect (a list whose index the logger reported
// beyond its table has no selection), with the options laid over it.
ConfigurationChoice ChoiceFor(const INFO_TAB& tab, const ConfigOverrides& overrides);

}  // namespace zv::cli
