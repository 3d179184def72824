// The one seam to the platform's cryptography: SHA-256 and random bytes come from a well-kept
// library (OpenSSL's libcrypto natively, BCrypt on Windows), never from code of our own. The
// hex form of a digest is ours.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zv::archive {

using Sha256Digest = std::array<uint8_t, 32>;

// A digest computed piece by piece, so that INFO_TAB ‖ memory is hashed without joining them.
class Sha256 {
 public:
  Sha256();
  ~Sha256();
  Sha256(const Sha256&) = delete;
  Sha256& operator=(const Sha256&) = delete;

  void Add(std::span<const uint8_t> bytes);
  void Add(std::string_view text);
  // The digest of everything added; false when the library failed at any step.
  bool Finish(Sha256Digest& digest);

 private:
  void* state_ = nullptr;
  bool failed_ = false;
};

bool Sha256Of(std::span<const uint8_t> bytes, Sha256Digest& digest);
bool Sha256Of(std::string_view text, Sha256Digest& digest);

// Bytes from the system's cryptographic generator; false when it fails.
bool RandomBytes(std::span<uint8_t> out);

// 64 lower-case hex digits, and back (upper case accepted); false for any other text.
std::string HexOf(std::span<const uint8_t> bytes);
bool DigestFromHex(std::string_view hex, Sha256Digest& digest);
// The byte two hex digits spell (either case), or -1 when either is not a hex digit.
int HexByteValue(char high, char low);

}  // namespace zv::archive
