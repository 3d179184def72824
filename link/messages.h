// Every message the link operations show, in Windows-1250.
#pragma once

#include "base/text1250.h"

namespace zv::msg {

inline constexpr auto kAttachLogger = Cp1250(u8"Podłącz rejestrator.");
inline constexpr auto kPortUnavailable =
    Cp1250(u8"Port niedostępny lub używany przez inną aplikację.");
inline constexpr auto kPortError = Cp1250(u8"Błąd podczas wykonywania operacji na porcie.");
inline constexpr auto kNoAnswer = Cp1250(u8"Rejestrator nie odpowiada.");
inline constexpr auto kNoConnection = Cp1250(u8"Nie można nawiązać połączenia.");
inline constexpr auto kInfoChecksum = Cp1250(u8"Błąd sumy kontrolnej podczas odbioru INFO_TAB.");

inline constexpr auto kDownloadFailed = Cp1250(
    u8"Odebranie danych nie powiodło się!\r\nZamknij inne aplikacje i spróbuj ponownie za chwilę.");
inline constexpr auto kDownloadedFormat = Cp1250(u8"Pobrano:\r\n%d próbek\r\n(%d bajtów)");
inline constexpr auto kRecoveredFormat = Cp1250(u8"Odzyskano dodatkowo %d próbek.");

// The configuration write's questions and its result.
inline constexpr auto kEraseSamples = Cp1250(u8"Czy skasować pamięć próbek?");
inline constexpr auto kMemoryFull =
    Cp1250(u8"Pamięć jest pełna, nie można dopisywać.\r\nZapisać konfigurację?");
inline constexpr auto kModeChange =
    Cp1250(u8"Zmiana trybu spowoduje skasowanie pamięci próbek.\r\nZapisać konfigurację?");
inline constexpr auto kConfigurationSaved =
    Cp1250(u8"KONFIGURACJA ZOSTAŁA ZAPISANA!\r\n\r\nRejestrator jest gotowy do pracy.");

}  // namespace zv::msg
