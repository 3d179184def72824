// zorvant-cli read: connect, download the sample memory, write it out, disconnect.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace zv::cli {

struct ReadOptions {
  std::string port;
  std::string output;
};

CLI::App* AddReadCommand(CLI::App& app, ReadOptions& options);
int RunRead(const ReadOptions& options);

}  // namespace zv::cli
