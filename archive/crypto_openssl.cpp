// SHA-256 and random bytes through OpenSSL's libcrypto (EVP, so the library picks the fastest
// implementation the processor allows).
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <climits>

#include "archive/crypto.h"

namespace zv::archive {

namespace {
EVP_MD_CTX* Context(void* state) {
  return static_cast<EVP_MD_CTX*>(state);
}
}  // namespace

Sha256::Sha256() : state_(EVP_MD_CTX_new()) {
  failed_ = state_ == nullptr || EVP_DigestInit_ex(Context(state_), EVP_sha256(), nullptr) != 1;
}

Sha256::~Sha256() {
  EVP_MD_CTX_free(Context(state_));
}

void Sha256::Add(std::span<const uint8_t> bytes) {
  if (failed_ || bytes.empty()) return;
  failed_ = EVP_DigestUpdate(Context(state_), bytes.data(), bytes.size()) != 1;
}

bool Sha256::Finish(Sha256Digest& digest) {
  unsigned int length = 0;
  if (failed_ || EVP_DigestFinal_ex(Context(state_), digest.data(), &length) != 1 ||
      length != digest.size()) {
    failed_ = true;
  }
  return !failed_;
}

bool RandomBytes(std::span<uint8_t> out) {
  return out.size() <= INT_MAX && RAND_bytes(out.data(), static_cast<int>(out.size())) == 1;
}

}  // namespace zv::archive
