// What a user types: the `config` options (an index or a list entry's text, the identifier in
// UTF-8), the `--started-at` time, the identifier that becomes the export's file name, and a
// Windows port name (as --port and the registry's port map give it).
// Each is accepted or refused, never read past its end, and an accepted identifier fits its
// field.
#include <cstdlib>
#include <cstring>
#include <string>

#include "cli/config_choice.h"
#include "fuzz/fuzz_input.h"
#include "link/com_ports.h"
#include "samples/civil_time.h"
#include "samples/export_samples.h"

namespace {

// The next text of the input, up to a NUL byte.
std::string NextText(zv::fuzz::FuzzInput& in) {
  std::string text;
  while (in.Left() > 0) {
    const uint8_t byte = in.Byte();
    if (byte == 0) break;
    text.push_back(static_cast<char>(byte));
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  zv::fuzz::FuzzInput in(data, size);
  const uint8_t given = in.Byte();
  zv::cli::ConfigOptionTexts texts;
  texts.startDelayGiven = (given & 1) != 0;
  texts.intervalGiven = (given & 2) != 0;
  texts.durationGiven = (given & 4) != 0;
  texts.idGiven = (given & 8) != 0;
  texts.startDelay = NextText(in);
  texts.interval = NextText(in);
  texts.duration = NextText(in);
  texts.channels = NextText(in);
  texts.signal = NextText(in);
  texts.id = NextText(in);

  zv::cli::ConfigOverrides overrides;
  std::string error;
  zv::INFO_TAB tab;
  in.Bytes(tab.bytes, sizeof tab.bytes);
  if (zv::cli::ParseConfigOptions(texts, overrides, error)) {
    if (std::memchr(overrides.id, '\0', sizeof overrides.id) == nullptr) std::abort();
    const zv::ConfigurationChoice choice = zv::cli::ChoiceFor(tab, overrides);
    if (std::memchr(choice.identifier, '\0', sizeof choice.identifier) == nullptr) std::abort();
  }

  zv::StartTime start;
  if (zv::ParseStartTime(NextText(in), start) == zv::StartTimeError::None) {
    char text[zv::kTimeTextCapacity];
    zv::TimeText(start.utc, zv::OffsetAt(start, start.utc), text);
  }

  const zv::ExportName name = zv::DefaultExportName(tab);
  if (name.length >= sizeof name.text || name.text[name.length] != '\0') std::abort();
  for (std::size_t i = 0; i < name.length; ++i) {
    const auto c = static_cast<unsigned char>(name.text[i]);
    if (c < 0x20 || c == 0x7F || std::strchr("\\/:*?\"<>|", c) != nullptr) std::abort();
  }

  // A port number is 1..255, and its device name fits the program's 11 bytes.
  const int port = zv::ComNumberOf(NextText(in));
  char device[11];
  if (port < 0 || port > zv::kHighestComNumber) std::abort();
  if (port > 0 && !zv::DeviceNameOf(port, device, sizeof device)) std::abort();
  return 0;
}
