// zorvant-cli's command line: every command's options registered, the one typed parsed and run.
#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "base/safe_text.h"
#include "cli/archive_command.h"
#include "cli/chart_command.h"
#include "cli/config_command.h"
#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/info_command.h"
#include "cli/ports_command.h"
#include "cli/process_guard.h"
#include "cli/read_command.h"
#include "cli/report_command.h"
#include "cli/verify_command.h"
#include "zv_version.h"

namespace {

// --version, and a hidden --list-commands: the command names, one a line, so that the shell
// completion and the man page follow the commands this binary has.
void AddProgramFlags(CLI::App& app) {
  app.set_version_flag("--version", std::string("zorvant-cli ") + zv::kZorvantVersion);
  app.add_flag_callback("--list-commands",
                        [&app] {
                          for (const CLI::App* command : app.get_subcommands({}))
                            std::printf("%s\n", command->get_name().c_str());
                          throw CLI::Success();
                        })
      ->group("");
}

// CLI11's messages repeat what was typed, controls and all: that part is shown as any text
// from outside is, and CLI11's hint after it stays as it is.
std::string SafeFailureMessage(const CLI::App* app, const CLI::Error& error) {
  const std::string said = error.what();
  const std::string message = CLI::FailureMessage::simple(app, error);
  return zv::Echoed(said) + message.substr(std::min(said.size(), message.size()));
}

}  // namespace

namespace zv::cli {

int RunCommandLine(int argc, char** argv) {
  // Before any file is opened: descriptors 0-2 taken, the stop signals caught.
  if (!OpenStandardStreams()) return kExitFileNotWritten;
  CatchStopSignals();
  UseUtf8Console();
  CLI::App app{"zorvant-cli: reads and programs a Kvar_2 temperature logger over its serial line."};
  app.footer(kExitCodeHelp);
  app.failure_message(SafeFailureMessage);
  app.require_subcommand(1);

  InfoOptions info;
  ReadOptions read;
  ConfigOptions config;
  ChartOptions chart;
  PortsOptions ports;
  ReportOptions report;
  ArchiveOptions archive;
  VerifyOptions verify;
  // Each command registered beside what runs it, in the order the help lists them.
  const struct {
    CLI::App* command;
    std::function<int()> run;
  } commands[] = {
      {AddInfoCommand(app, info), [&] { return RunInfo(info); }},
      {AddReadCommand(app, read), [&] { return RunRead(read); }},
      {AddConfigCommand(app, config), [&] { return RunConfig(config); }},
      {AddChartCommand(app, chart), [&] { return RunChart(chart); }},
      {AddPortsCommand(app, ports), [&] { return RunPorts(ports); }},
      {AddReportCommand(app, report), [&] { return RunReport(report); }},
      {AddArchiveCommand(app, archive), [&] { return RunArchive(archive); }},
      {AddVerifyCommand(app, verify), [&] { return RunVerify(verify); }},
  };

  AddProgramFlags(app);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return FinishCommand(code == 0 ? kExitOk : kExitUsage);
  }
  for (const auto& [command, run] : commands) {
    if (*command) return FinishCommand(run());
  }
  return kExitUsage;
}

}  // namespace zv::cli
