// The messages of the export command, in Windows-1250.
#pragma once

#include "base/text1250.h"

namespace zv::msg {

inline constexpr auto kRenamedNotice =
    Cp1250(u8"Nazwa zawierała zabronione znaki,\r\nzmieniono nazwę na: ");
inline constexpr auto kCannotSave = Cp1250(u8"Nie można zapisać danych,\r\nSpróbuj innej nazwy.");
inline constexpr auto kSaved = Cp1250(u8"Dane zostały zapisane.");

}  // namespace zv::msg
