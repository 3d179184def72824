// The words a report writes, in Polish (the program's language) and in English. One table
// each; the code picks a table, never a string. The logger's own texts (start delay, duration,
// status) come from the logger or the export in Polish; the English table names their rows.
#pragma once

#include <cstddef>

#include "chart/overview_texts.h"

namespace zv {

struct ReportTexts {
  char decimalSeparator;
  const char* defaultTitle;
  const char* language;  // as the JSON names it
  // sections
  const char* loggerSection;
  const char* recordingSection;
  const char* statisticsSection;
  const char* limitsSection;
  const char* chartSection;
  // the logger
  const char* identifier;
  const char* channels;
  const char* interval;
  const char* startDelay;
  const char* duration;
  const char* status;
  const char* battery;
  const char* count;
  const char* oneChannel;
  const char* twoChannels;
  const char* batteryOk;
  const char* batteryLow;
  const char* batteryNotInExport;
  const char* unknownValue;
  // the recording
  const char* firstReading;
  const char* lastReading;
  const char* span;
  const char* readings;
  const char* perChannel;
  const char* noReadings;
  const char* oneReading;
  const char* noStart;         // why there are no clock times
  const char* noInterval;      // why there are no durations
  const char* estimated;       // beside a first reading reckoned, not given
  const char* estimatedStart;  // how it was reckoned
  // the statistics
  const char* channelA;
  const char* channelB;
  const char* minimum;
  const char* maximum;
  const char* at;  // the row under a minimum or maximum: when it was read
  const char* mean;
  const char* deviation;
  const char* meanKinetic;  // followed by the activation energy
  const char* activationUnit;
  // the limits
  const char* lowLimit;
  const char* highLimit;
  const char* noLimit;
  const char* noLimits;
  const char* below;
  const char* above;
  // beside a side's readings, its runs: "1014 (przekroczeń: 12)"; under it their time in all
  // and the longest
  const char* sideExcursions;
  const char* sideTimes;
  const char* excursions;
  const char* totalBeyond;
  const char* longest;
  const char* first;
  const char* side;  // the row under the first excursion: on which side
  const char* belowSide;
  const char* aboveSide;
  const char* inRange;
  const char* verdict;
  const char* withinLimits;
  const char* limitsExceeded;
  const char* verdictNoReadings;
  const char* verdictNoLimits;
  const char* overallWithin;
  const char* overallExceeded;
  const char* overallNoReadings;
  // times
  const char* sample;  // "próbka 12"
  const char* dayUnit;
  // readings counted, in the language's plural forms: 1, 2-4 (22-24, ...), the rest
  const char* readingOne;
  const char* readingFew;
  const char* readingMany;
  bool slavicPlural;  // "few" for 2-4 (not 12-14); otherwise one for 1 and many for the rest
  // the footer and the signature
  const char* footerProgram;
  const char* sourcePort;
  const char* sourceFile;
  const char* archiveNumber;  // "archiwum nr 12"
  const char* imported;       // a recording kept from an export file, not downloaded
  const char* generated;
  const char* page;  // "strona 1 z 2": page, then "of"
  const char* pageOf;
  const char* checkedBy;
  const char* date;
  const char* signature;
};

inline constexpr ReportTexts kPolishReportTexts = {
    .decimalSeparator = ',',
    .defaultTitle = "Raport z rejestracji temperatury",
    .language = "pl",
    .loggerSection = "Rejestrator",
    .recordingSection = "Zapis",
    .statisticsSection = "Statystyka",
    .limitsSection = "Granice alarmowe i przekroczenia",
    .chartSection = "Przebieg całego zapisu",
    .identifier = "Identyfikator",
    .channels = "Kanały",
    .interval = "Pomiar co",
    .startDelay = "Start",
    .duration = "Zbieraj dane",
    .status = "Status",
    .battery = "Bateria",
    .count = "Liczba próbek",
    .oneChannel = "kanał A",
    .twoChannels = "kanały A, B",
    .batteryOk = "OK",
    .batteryLow = "rozładowana",
    .batteryNotInExport = "brak w pliku eksportu",
    .unknownValue = "nieznany",
    .firstReading = "Pierwszy odczyt",
    .lastReading = "Ostatni odczyt",
    .span = "Czas trwania",
    .readings = "Odczyty",
    .perChannel = "na kanał",
    .noReadings = "Brak odczytów: rejestrator nie przechował żadnego odczytu.",
    .oneReading = "Jeden odczyt: czas trwania zapisu jest zerowy.",
    .noStart = "bez godziny: nie podano czasu pierwszego odczytu (--started-at)",
    .noInterval = "nieznany: rejestrator podał interwał spoza tabeli",
    .estimated = "szacowany",
    .estimatedStart =
        "szacowany: rejestrator mierzył w chwili pobrania, a nie ma zegara; "
        "czas pobrania minus (odczyty − 1) × interwał",
    .channelA = "Kanał A",
    .channelB = "Kanał B",
    .minimum = "Minimum",
    .maximum = "Maksimum",
    .at = "  czas",
    .mean = "Średnia",
    .deviation = "Odchylenie standardowe",
    .meanKinetic = "MKT",
    .activationUnit = "kJ/mol",
    .lowLimit = "Dolna granica",
    .highLimit = "Górna granica",
    .noLimit = "brak",
    .noLimits = "Nie podano granic alarmowych (--low, --high, --low-a ... --high-b).",
    .below = "Odczyty poniżej dolnej",
    .above = "Odczyty powyżej górnej",
    .sideExcursions = "przekroczeń:",
    .sideTimes = "  czas: łącznie, najdłuższe",
    .excursions = "Przekroczenia",
    .totalBeyond = "Łączny czas poza granicami",
    .longest = "Najdłuższe przekroczenie",
    .first = "Pierwsze przekroczenie",
    .side = "  kierunek",
    .belowSide = "poniżej",
    .aboveSide = "powyżej",
    .inRange = "Czas w granicach",
    .verdict = "Wynik",
    .withinLimits = "w granicach",
    .limitsExceeded = "granice przekroczone",
    .verdictNoReadings = "brak odczytów",
    .verdictNoLimits = "bez granic",
    .overallWithin = "WYNIK: wszystkie odczyty w granicach",
    .overallExceeded = "WYNIK: granice przekroczone",
    .overallNoReadings = "WYNIK: brak odczytów do oceny",
    .sample = "próbka",
    .dayUnit = "d",
    .readingOne = "odczyt",
    .readingFew = "odczyty",
    .readingMany = "odczytów",
    .slavicPlural = true,
    .footerProgram = "Zorvant_2",
    .sourcePort = "rejestrator na porcie",
    .sourceFile = "plik eksportu",
    .archiveNumber = "archiwum nr",
    .imported = "zaimportowany",
    .generated = "raport utworzono",
    .page = "strona",
    .pageOf = "z",
    .checkedBy = "Sprawdził(a):",
    .date = "Data:",
    .signature = "Podpis:",
};

inline constexpr ReportTexts kEnglishReportTexts = {
    .decimalSeparator = '.',
    .defaultTitle = "Temperature recording report",
    .language = "en",
    .loggerSection = "Logger",
    .recordingSection = "Recording",
    .statisticsSection = "Statistics",
    .limitsSection = "Alarm limits and excursions",
    .chartSection = "The whole recording",
    .identifier = "Identifier",
    .channels = "Channels",
    .interval = "Interval",
    .startDelay = "Start delay",
    .duration = "Collect data",
    .status = "Status",
    .battery = "Battery",
    .count = "Samples",
    .oneChannel = "channel A",
    .twoChannels = "channels A, B",
    .batteryOk = "OK",
    .batteryLow = "low",
    .batteryNotInExport = "not in the export file",
    .unknownValue = "unknown",
    .firstReading = "First reading",
    .lastReading = "Last reading",
    .span = "Span",
    .readings = "Readings",
    .perChannel = "per channel",
    .noReadings = "No readings: the logger held no reading.",
    .oneReading = "One reading: the recording spans no time.",
    .noStart = "no clock time: the time of the first reading was not given (--started-at)",
    .noInterval = "unknown: the logger reported an interval beyond its table",
    .estimated = "estimated",
    .estimatedStart =
        "estimated: the logger was measuring when downloaded and keeps no clock; "
        "the download time less (readings − 1) × interval",
    .channelA = "Channel A",
    .channelB = "Channel B",
    .minimum = "Minimum",
    .maximum = "Maximum",
    .at = "  at",
    .mean = "Mean",
    .deviation = "Standard deviation",
    .meanKinetic = "MKT",
    .activationUnit = "kJ/mol",
    .lowLimit = "Low limit",
    .highLimit = "High limit",
    .noLimit = "none",
    .noLimits = "No alarm limits were given (--low, --high, --low-a ... --high-b).",
    .below = "Readings below low",
    .above = "Readings above high",
    .sideExcursions = "excursions:",
    .sideTimes = "  time: total, longest",
    .excursions = "Excursions",
    .totalBeyond = "Total time beyond",
    .longest = "Longest excursion",
    .first = "First excursion",
    .side = "  side",
    .belowSide = "below",
    .aboveSide = "above",
    .inRange = "Time within limits",
    .verdict = "Result",
    .withinLimits = "within limits",
    .limitsExceeded = "limits exceeded",
    .verdictNoReadings = "no readings",
    .verdictNoLimits = "no limits",
    .overallWithin = "RESULT: every reading within the limits",
    .overallExceeded = "RESULT: limits exceeded",
    .overallNoReadings = "RESULT: no readings to judge",
    .sample = "sample",
    .dayUnit = "d",
    .readingOne = "reading",
    .readingFew = "readings",
    .readingMany = "readings",
    .slavicPlural = false,
    .footerProgram = "Zorvant_2",
    .sourcePort = "logger on port",
    .sourceFile = "export file",
    .archiveNumber = "archive no.",
    .imported = "imported",
    .generated = "report made",
    .page = "page",
    .pageOf = "of",
    .checkedBy = "Checked by:",
    .date = "Date:",
    .signature = "Signature:",
};

// The logger's texts in English, row by row of its tables (base/value_tables.h).
inline constexpr const char* kEnglishStartDelays[] = {"Immediately",  "After 10 s",   "After 1 min",
                                                      "After 10 min", "After 30 min", "After 1 h",
                                                      "After 2 h",    "After 5 h"};
inline constexpr const char* kEnglishIntervals[] = {
    "1 s",    "2 s", "5 s",   "10 s", "30 s",  "1 min", "2 min", "5 min", "10 min",
    "30 min", "1 h", "1.5 h", "2 h",  "2.5 h", "3 h",   "4 h",   "5 h"};
inline constexpr const char* kEnglishDurations[] = {
    "no limit", "for 1 min", "for 10 min", "for 30 min", "for 1 h",
    "for 2 h",  "for 5 h",   "for 12 h",   "for 24 h",   "for 48 h"};
inline constexpr const char* kEnglishStatuses[] = {
    "Not programmed",    "Waiting for trigger", "Counting down to start", "Measuring",
    "Measurement done",  "DS18B20 (A) error",   "AT24C256 error",         "Data lost (S)",
    "STOP (power lost)", "DS18B20 (B) error"};

inline const ReportTexts& ReportTextsFor(LabelLanguage language) {
  return language == LabelLanguage::English ? kEnglishReportTexts : kPolishReportTexts;
}

}  // namespace zv
