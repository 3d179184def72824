// The fixed-width texts that the logger's index fields select from, and the port names.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/text1250.h"

namespace zv {

// Count entries of exactly Width characters each, plus one placeholder row of the same width
// for an index the logger reports beyond the table, so no lookup ever reads outside it.
template <std::size_t Width, std::size_t Count>
struct TextTable {
  static constexpr std::size_t kWidth = Width;
  static constexpr std::size_t kCount = Count;
  char rows[Count + 1][Width + 1]{};

  // The entry for an index, or the placeholder when the index has none.
  constexpr const char* Entry(std::size_t index) const {
    return rows[index < Count ? index : Count];
  }
  constexpr bool Has(std::size_t index) const { return index < Count; }
};

template <std::size_t Width, std::size_t Count, std::size_t... N>
consteval TextTable<Width, Count> MakeTable(const char8_t (&... utf8)[N]) {
  static_assert(sizeof...(N) == Count + 1, "entries plus one placeholder");
  TextTable<Width, Count> table{};
  std::size_t row = 0;
  auto add = [&](auto text) {
    if (text.length != Width) throw "a table entry is not of the table's width";
    for (std::size_t k = 0; k < Width; ++k) table.rows[row][k] = text.bytes[k];
    ++row;
  };
  (add(Cp1250(utf8)), ...);
  return table;
}

inline constexpr auto StartDelayTexts = MakeTable<12, 8>(
    u8" Natychmiast", u8" Po 10s     ", u8" Po 1min    ", u8" Po 10min   ", u8" Po 30min   ",
    u8" Po 1h      ", u8" Po 2h      ", u8" Po 5h      ", u8" ?          ");

inline constexpr auto IntervalTexts =
    MakeTable<7, 17>(u8" 1 s   ", u8" 2 s   ", u8" 5 s   ", u8" 10 s  ", u8" 30 s  ", u8" 1 min ",
                     u8" 2 min ", u8" 5 min ", u8" 10 min", u8" 30 min", u8" 1 h   ", u8" 1,5 h ",
                     u8" 2 h   ", u8" 2,5 h ", u8" 3 h   ", u8" 4 h   ", u8" 5 h   ", u8" ?     ");

inline constexpr auto DurationTexts =
    MakeTable<13, 10>(u8" bez limitu  ", u8" przez 1 min ", u8" przez 10 min", u8" przez 30 min",
                      u8" przez 1 h   ", u8" przez 2 h   ", u8" przez 5 h   ", u8" przez 12 h  ",
                      u8" przez 24 h  ", u8" przez 48 h  ", u8" ?           ");

inline constexpr auto ChannelModeTexts =
    MakeTable<11, 2>(u8" kanał A   ", u8" kanały A,B", u8" ?         ");

inline constexpr auto StatusTexts =
    MakeTable<19, 10>(u8"Nie zaprogramowany ", u8"Czeka na wyzwolenie", u8"Odlicza do pomiaru ",
                      u8"Pomiar w toku      ", u8"Pomiar zakończony  ", u8"Błąd DS18B20(A)    ",
                      u8"Błąd AT24C256      ", u8"Dane utracone (S)  ", u8"STOP (zanik nap.)  ",
                      u8"Błąd DS18B20(B)    ", u8"?                  ");

// The statuses the program acts on, by their rows in StatusTexts.
inline constexpr uint8_t kStatusWaitingForTrigger = 1;
inline constexpr uint8_t kStatusSensorAFault = 5;
inline constexpr uint8_t kStatusPowerLost = 8;
inline constexpr uint8_t kStatusSensorBFault = 9;

// The ports the user can choose; a port is opened by the text after the leading space.
inline constexpr auto PortNames =
    MakeTable<5, 4>(u8" COM1", u8" COM2", u8" COM3", u8" COM4", u8" ?   ");

}  // namespace zv
