// zorvant-cli's command line: every command's options registered, the one typed parsed and run.
#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
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
  CLI::App* infoCommand = AddInfoCommand(app, info);
  ReadOptions read;
  CLI::App* readCommand = AddReadCommand(app, read);
  ConfigOptions config;
  CLI::App* configCommand = AddConfigCommand(app, config);
  ChartOptions chart;
  CLI::App* chartCommand = AddChartCommand(app, chart);
  PortsOptions ports;
  CLI::App* portsCommand = AddPortsCommand(app, ports);
  ReportOptions report;
  CLI::App* reportCommand = AddReportCommand(app, report);
  ArchiveOptions archive;
  CLI::App* archiveCommand = AddArchiveCommand(app, archive);
  VerifyOptions verify;
  CLI::App* verifyCommand = AddVerifyCommand(app, verify);

  AddProgramFlags(app);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return FinishCommand(code == 0 ? kExitOk : kExitUsage);
  }
  if (*infoCommand) return FinishCommand(RunInfo(info));
  if (*readCommand) return FinishCommand(RunRead(read));
  if (*configCommand) return FinishCommand(RunConfig(config));
  if (*chartCommand) return FinishCommand(RunChart(chart));
  if (*portsCommand) return FinishCommand(RunPorts(ports));
  if (*reportCommand) return FinishCommand(RunReport(report));
  if (*archiveCommand) return FinishCommand(RunArchive(archive));
  if (*verifyCommand) return FinishCommand(RunVerify(verify));
  return kExitUsage;
}

}  // namespace zv::cli
