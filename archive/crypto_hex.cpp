// What the archive's digests share on every platform: the whole-buffer forms and the hex text.
#include <charconv>
#include <system_error>

#include "archive/crypto.h"

namespace zv::archive {

void Sha256::Add(std::string_view text) {
  Add(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

bool Sha256Of(std::span<const uint8_t> bytes, Sha256Digest& digest) {
  Sha256 hash;
  hash.Add(bytes);
  return hash.Finish(digest);
}

bool Sha256Of(std::string_view text, Sha256Digest& digest) {
  Sha256 hash;
  hash.Add(text);
  return hash.Finish(digest);
}

std::string HexOf(std::span<const uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text(2 * bytes.size(), '0');
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    text[2 * i] = kDigits[bytes[i] >> 4];
    text[2 * i + 1] = kDigits[bytes[i] & 0x0F];
  }
  return text;
}

int HexByteValue(char high, char low) {
  const char digits[2] = {high, low};
  unsigned value = 0;
  const auto [end, error] = std::from_chars(digits, digits + 2, value, 16);
  // from_chars takes a '-' before the digits of a signed type only; value is unsigned.
  return error == std::errc() && end == digits + 2 ? static_cast<int>(value) : -1;
}

bool DigestFromHex(std::string_view hex, Sha256Digest& digest) {
  if (hex.size() != 2 * digest.size()) return false;
  for (std::size_t i = 0; i < digest.size(); ++i) {
    const int value = HexByteValue(hex[2 * i], hex[2 * i + 1]);
    if (value < 0) return false;
    digest[i] = static_cast<uint8_t>(value);
  }
  return true;
}

}  // namespace zv::archive
