// The configuration a `config` command asks for: each option's text checked and converted by the
// option itself while the command line is read, before anything is sent, then laid over the
// logger's current configuration.
#pragma once

#include <string>

#include "base/info_tab.h"
#include "link/user_interface.h"

namespace zv::cli {

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

// A list's value as a user gives it: an index of the list or the text of one of its entries
// (UTF-8, spaces around it do not count); the identifier as UTF-8. On a refusal `error` names
// the option and says why (UTF-8), and the value is left as it was.
enum class ConfigList { StartDelay, Interval, Duration };
bool ParseListValue(ConfigList list, const std::string& text, int& index, std::string& error);
bool ParseIdentifier(const std::string& text, char (&id)[kLoggerIdSize], std::string& error);

// The choice the window would show after this connect (a list whose index the logger reported
// beyond its table has no selection), with the options laid over it.
ConfigurationChoice ChoiceFor(const INFO_TAB& tab, const ConfigOverrides& overrides);

}  // namespace zv::cli
