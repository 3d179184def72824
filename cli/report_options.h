// The options of 'zorvant-cli report' that need more than a list of choices: what each accepts,
// checked while the command line is read, before a port is opened.
#pragma once

#include <string>

namespace zv::cli {

enum class ReportFormat { Pdf, Svg, Json, None };

// By the output's extension, in any case: .pdf, .svg or .json.
ReportFormat ReportFormatOf(const std::string& path);

// Each is empty when the text is acceptable, else why not (for a CLI11 validator).
std::string CheckReportOutput(const std::string& path);
std::string CheckReportTitle(const std::string& title);
std::string CheckActivationEnergy(const std::string& text);

// The activation energies a mean kinetic temperature is plausibly taken with, in kJ/mol: far
// outside them the figure means nothing (near 0 it is the hottest reading).
inline constexpr double kLowestActivationEnergy = 1;
inline constexpr double kHighestActivationEnergy = 1000;

// kJ/mol as a user writes it ("83.144" or "83,144"), at most three decimals; false unless a
// number from kLowestActivationEnergy to kHighestActivationEnergy.
bool ParseActivationEnergy(const std::string& text, double& kilojoulesPerMole);

}  // namespace zv::cli
