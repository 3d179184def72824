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
  // The texts a user gives config's list options and --id, each parsed as its option does.
  zv::cli::ConfigOverrides overrides;
  std::string error;
  bool accepted = true;
  constexpr zv::cli::ConfigList kLists[] = {zv::cli::ConfigList::StartDelay,
                                            zv::cli::ConfigList::Interval,
                                            zv::cli::ConfigList::Duration};
  int* const indices[] = {&overrides.startDelay, &overrides.interval, &overrides.duration};
  for (int i = 0; i < 3; ++i) {
    const std::string text = NextText(in);
    if ((given & (1 << i)) != 0) {
      accepted = zv::cli::ParseListValue(kLists[i], text, *indices[i], error) && accepted;
    }
  }
  overrides.channels = (given & 16) != 0 ? 1 : -1;
  overrides.signal = (given & 32) != 0 ? 0 : -1;
  const std::string id = NextText(in);
  if ((given & 8) != 0) {
    overrides.idGiven = zv::cli::ParseIdentifier(id, overrides.id, error);
    accepted = overrides.idGiven && accepted;
  }
  zv::INFO_TAB tab;
  in.Bytes(tab.bytes, sizeof tab.bytes);
  if (accepted) {
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
