// zorvant-cli report: the record a technician files after a recording, as a PDF or SVG page
// (or its figures as JSON), from a logger or an export.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "samples/recording_stats.h"

namespace zv::cli {

struct ReportOptions {
  std::string port;
  std::string fromExport;
  std::string output;
  std::string startedAt;
  ChannelLimits limits;
  std::string channels = "ab";
  std::string title;
  std::string language = "pl";
  double activationEnergy = kDefaultActivationEnergy / 1000;  // kJ/mol
};

CLI::App* AddReportCommand(CLI::App& app, ReportOptions& options);
int RunReport(const ReportOptions& options);

}  // namespace zv::cli
