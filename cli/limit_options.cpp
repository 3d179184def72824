#include "cli/limit_options.h"

#include <string>

#include "cli/degree_option.h"
#include "samples/reading_number.h"

namespace zv::cli {

namespace {

constexpr char kLimitForm[] =
    "degrees from -55 to 125, exactly as written, up to four decimals (8, -2,5 or 7.25)";

// The limit as the user wrote it, in the program's words: "7.01".
std::string Written(int32_t tenThousandths) {
  char text[kDecimalTextCapacity];
  return std::string(text, ShortDecimalText(tenThousandths, '.', text));
}

int64_t FloorDiv(int64_t a, int64_t b) {
  return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

// One option writing into each of `targets`; a text that is not a limit is refused with why.
CLI::Option* AddLimit(CLI::App& command, const std::string& name, const std::string& help,
                      std::vector<std::optional<int32_t>*> targets) {
  return command
      .add_option_function<std::string>(
          name,
          [name, targets](const std::string& text) {
            int32_t value = 0;
            if (!ParseLimitDegrees(text, value)) {
              throw CLI::ValidationError(name, CheckLimitDegrees(text));
            }
            for (std::optional<int32_t>* target : targets) *target = value;
          },
          help + "; " + kLimitForm + ".")
      ->type_name("DEGREES");
}

void CheckPair(const AlarmLimits& pair, const char* lowName, const char* highName) {
  if (!pair.low || !pair.high) return;
  const std::string low = Written(*pair.low);
  const std::string high = Written(*pair.high);
  if (*pair.low >= *pair.high) {
    throw CLI::ValidationError(lowName, "must be below " + std::string(highName) + " (" + low +
                                            " is not below " + high + ")");
  }
  // The sensor reads whole sixteenths: between 7.01 and 7.02 there is none, so every reading
  // would be an excursion.
  const int64_t lowestWithin = -FloorDiv(-int64_t{*pair.low}, kTenThousandthsPerSixteenth);
  const int64_t highestWithin = FloorDiv(*pair.high, kTenThousandthsPerSixteenth);
  if (lowestWithin > highestWithin) {
    throw CLI::ValidationError(std::string(lowName) + " " + low + " and " + highName + " " + high,
                               "no reading can lie between them: the sensor reads in steps of "
                               "0.0625 degrees, and none lies from " +
                                   low + " to " + high);
  }
}

}  // namespace

std::vector<CLI::Option*> AddLimitOptions(CLI::App& command, ChannelLimits& limits,
                                          const char* meaning) {
  const std::string tail = std::string(": ") + meaning;
  CLI::Option* low = AddLimit(command, "--low", "Low limit of every channel" + tail,
                              {&limits.a.low, &limits.b.low});
  CLI::Option* high = AddLimit(command, "--high", "High limit of every channel" + tail,
                               {&limits.a.high, &limits.b.high});
  CLI::Option* lowA =
      AddLimit(command, "--low-a", "Low limit of channel A" + tail, {&limits.a.low});
  CLI::Option* highA =
      AddLimit(command, "--high-a", "High limit of channel A" + tail, {&limits.a.high});
  CLI::Option* lowB =
      AddLimit(command, "--low-b", "Low limit of channel B" + tail, {&limits.b.low});
  CLI::Option* highB =
      AddLimit(command, "--high-b", "High limit of channel B" + tail, {&limits.b.high});
  low->excludes(lowA)->excludes(lowB);
  high->excludes(highA)->excludes(highB);
  return {low, high, lowA, highA, lowB, highB};
}

void CheckLimitPairs(const ChannelLimits& limits) {
  if (limits.a == limits.b) {
    CheckPair(limits.a, "--low", "--high");
    return;
  }
  CheckPair(limits.a, "--low-a", "--high-a");
  CheckPair(limits.b, "--low-b", "--high-b");
}

bool HasChannelBLimits(const ChannelLimits& limits) {
  return limits.b.Any() && !(limits.a == limits.b);
}

}  // namespace zv::cli
