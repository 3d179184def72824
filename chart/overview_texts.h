// The words the overview writes, in Polish (the program's language) and in English (for a
// report that asks for it). One table each; the code picks a table, never a string.
#pragma once

#include <cstdint>

namespace zv {

enum class LabelLanguage : uint8_t { Polish, English };

struct OverviewTexts {
  char decimalSeparator;
  bool dayFirstDates;  // 31.12.2026 rather than 2026-12-31
  const char* degrees;
  const char* channelA;
  const char* channelB;
  const char* highLimit;
  const char* lowLimit;
  // one channel's own limits, when the channels have different ones: "granice A: od 2,0 do 8,0"
  const char* channelLimitsA;
  const char* channelLimitsB;
  const char* bothLimits;  // printf: low, high
  const char* lowLimitOnly;
  const char* highLimitOnly;
  const char* slotCaption;
  const char* elapsedSecondsCaption;
  const char* elapsedMinutesCaption;
  const char* elapsedDaysCaption;
  const char* clockCaption;
  const char* estimatedClockCaption;  // the start reckoned from the download, not given
  const char* noReadings;
};

inline constexpr OverviewTexts kPolishOverviewTexts = {
    ',',
    true,
    "°C",
    "kanał A",
    "kanał B",
    "górna granica",
    "dolna granica",
    "granice A:",
    "granice B:",
    "od %s do %s",
    "od %s",
    "do %s",
    "Numer próbki",
    "Czas od początku (h:mm:ss)",
    "Czas od początku (h:mm)",
    "Czas od początku (dni)",
    "Data i godzina",
    "Data i godzina (szacowane)",
    "Brak odczytów",
};

inline constexpr OverviewTexts kEnglishOverviewTexts = {
    '.',
    false,
    "°C",
    "channel A",
    "channel B",
    "high limit",
    "low limit",
    "limits A:",
    "limits B:",
    "%s to %s",
    "from %s",
    "up to %s",
    "Sample number",
    "Time since start (h:mm:ss)",
    "Time since start (h:mm)",
    "Time since start (days)",
    "Date and time",
    "Date and time (estimated)",
    "No readings",
};

inline const OverviewTexts& TextsFor(LabelLanguage language) {
  return language == LabelLanguage::English ? kEnglishOverviewTexts : kPolishOverviewTexts;
}

}  // namespace zv
