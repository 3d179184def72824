#include "cli/report_options.h"

#include <cstdlib>

#include "cli/output_format.h"
#include "cli/picture_output.h"
#include "report/report_title.h"

namespace zv::cli {

ReportFormat ReportFormatOf(const std::string& path) {
  switch (OutputFormatOf(path)) {
    case OutputFormat::Pdf:
      return ReportFormat::Pdf;
    case OutputFormat::Svg:
      return ReportFormat::Svg;
    case OutputFormat::Json:
      return ReportFormat::Json;
    default:
      return ReportFormat::None;
  }
}

std::string CheckReportOutput(const std::string& path) {
  const ReportFormat format = ReportFormatOf(path);
  if (format == ReportFormat::None) {
    return "the extension of " + path + " names no report format: .pdf, .svg or .json";
  }
  if (format == ReportFormat::Pdf && !CanWrite(PictureFormat::Pdf)) return kNeedsCairo;
  return {};
}

std::string CheckReportTitle(const std::string& title) {
  const std::string problem = TitleProblem(title);
  return problem.empty() ? problem : "the title " + problem;
}

bool ParseActivationEnergy(const std::string& text, double& kilojoulesPerMole) {
  // Digits, then at most one separator and three decimals: no sign, exponent, hexadecimal,
  // "inf" or "nan", and never more digits than a double holds exactly.
  constexpr std::size_t kMostWholeDigits = 4;
  constexpr std::size_t kMostDecimals = 3;
  std::string number;
  std::size_t whole = 0;
  std::size_t decimals = 0;
  bool point = false;
  for (char c : text) {
    if ((c == '.' || c == ',') && !point) {
      point = true;
      number += '.';
    } else if (c >= '0' && c <= '9') {
      ++(point ? decimals : whole);
      number += c;
    } else {
      return false;
    }
  }
  if (whole + decimals == 0 || whole > kMostWholeDigits || decimals > kMostDecimals) return false;
  const double value = std::strtod(number.c_str(), nullptr);
  if (!(value >= kLowestActivationEnergy && value <= kHighestActivationEnergy)) return false;
  kilojoulesPerMole = value;
  return true;
}

std::string CheckActivationEnergy(const std::string& text) {
  double value = 0;
  if (ParseActivationEnergy(text, value)) return {};
  return "expected kJ/mol from 1 to 1000 with at most three decimals (such as 83.144), got " + text;
}

}  // namespace zv::cli
