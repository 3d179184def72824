// SHA-256 and random bytes through Windows' BCrypt.
#include <windows.h>
// windows.h first: bcrypt.h needs its types.
#include <bcrypt.h>

#include <climits>
#include <new>

#include "archive/crypto.h"

namespace zv::archive {

namespace {
struct HashState {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  BCRYPT_HASH_HANDLE hash = nullptr;
};
HashState& State(void* state) {
  return *static_cast<HashState*>(state);
}
}  // namespace

Sha256::Sha256() : state_(new (std::nothrow) HashState) {
  failed_ = state_ == nullptr ||
            !BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&State(state_).algorithm,
                                                        BCRYPT_SHA256_ALGORITHM, nullptr, 0)) ||
            !BCRYPT_SUCCESS(BCryptCreateHash(State(state_).algorithm, &State(state_).hash, nullptr,
                                             0, nullptr, 0, 0));
}

Sha256::~Sha256() {
  if (state_ == nullptr) return;
  if (State(state_).hash != nullptr) BCryptDestroyHash(State(state_).hash);
  if (State(state_).algorithm != nullptr) BCryptCloseAlgorithmProvider(State(state_).algorithm, 0);
  delete &State(state_);
}

void Sha256::Add(std::span<const uint8_t> bytes) {
  if (failed_ || bytes.empty()) return;
  // BCrypt takes at most 4 GiB a call; the archive never hashes that much at once.
  failed_ = bytes.size() > ULONG_MAX ||
            !BCRYPT_SUCCESS(BCryptHashData(State(state_).hash, const_cast<PUCHAR>(bytes.data()),
                                           static_cast<ULONG>(bytes.size()), 0));
}

bool Sha256::Finish(Sha256Digest& digest) {
  if (!failed_) {
    failed_ = !BCRYPT_SUCCESS(
        BCryptFinishHash(State(state_).hash, digest.data(), static_cast<ULONG>(digest.size()), 0));
  }
  return !failed_;
}

bool RandomBytes(std::span<uint8_t> out) {
  return out.size() <= ULONG_MAX &&
         BCRYPT_SUCCESS(BCryptGenRandom(nullptr, out.data(), static_cast<ULONG>(out.size()),
                                        BCRYPT_USE_SYSTEM_PREFERRED_RNG));
}

}  // namespace zv::archive
