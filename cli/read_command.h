// zorvant-cli read: connect, download the sample memory, write it out, disconnect.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace zv::cli {

struct ReadOptions {
  std::string port;
  std::string output;
  std::string format = "text";
  std::string startedAt;  // the user's statement of when slot 0 was taken
  std::string csvDialect = "rfc4180";
  bool summaryOnly = false;  // no file: the summary on stdout, for a script
};

CLI::App* AddReadCommand(CLI::App& app, ReadOptions& options);
int RunRead(const ReadOptions& options);

}  // namespace zv::cli
