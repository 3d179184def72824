// What the PostgreSQL store hands libpq and gets back: parameters and results in binary form
// (a recording's 32 KB go as bytes, not as hex text), a result freed when it goes out of scope,
// and a row read by column number as the shared row readers want (store_rows.h).
#pragma once

#include <libpq-fe.h>

#include <array>
#include <climits>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace zv::archive {

// The built-in types' numbers, fixed in every PostgreSQL release.
inline constexpr Oid kByteaOid = 17;
inline constexpr Oid kInt8Oid = 20;
inline constexpr Oid kTextOid = 25;

// Up to kMost parameters of a statement. Text and bytes are not copied: they must outlive the
// statement's run. A value libpq cannot take (over 2 GB) makes the whole set unusable.
class PgParams {
 public:
  static constexpr int kMost = 16;

  void Add(int64_t value) {
    std::array<char, 8>& bytes = ints_[count_];
    for (int k = 0; k < 8; ++k) {
      bytes[k] = static_cast<char>(static_cast<uint64_t>(value) >> (56 - 8 * k));
    }
    Put(kInt8Oid, bytes.data(), 8);
  }
  void Add(std::string_view text) { Put(kTextOid, text.data(), text.size()); }
  // Empty bytes are NULL, as an import's missing table is.
  void Add(std::span<const uint8_t> bytes) {
    Put(kByteaOid, bytes.empty() ? nullptr : reinterpret_cast<const char*>(bytes.data()),
        bytes.size());
  }
  template <typename T>
  void Add(const std::optional<T>& value) {
    if (value) {
      Add(static_cast<int64_t>(*value));
    } else {
      Put(kInt8Oid, nullptr, 0);
    }
  }
  void AddNullInt() { Put(kInt8Oid, nullptr, 0); }

  bool usable() const { return usable_; }
  int count() const { return count_; }
  const Oid* types() const { return types_.data(); }
  const char* const* values() const { return values_.data(); }
  const int* lengths() const { return lengths_.data(); }
  const int* formats() const { return formats_.data(); }

 private:
  void Put(Oid type, const char* value, std::size_t length) {
    if (count_ == kMost || length > static_cast<std::size_t>(INT_MAX)) {
      usable_ = false;
      return;
    }
    types_[count_] = type;
    values_[count_] = value;
    lengths_[count_] = static_cast<int>(length);
    formats_[count_] = 1;
    ++count_;
  }

  int count_ = 0;
  bool usable_ = true;
  std::array<Oid, kMost> types_{};
  std::array<const char*, kMost> values_{};
  std::array<int, kMost> lengths_{};
  std::array<int, kMost> formats_{};
  std::array<std::array<char, 8>, kMost> ints_{};
};

// A PGresult, cleared when it goes.
class PgResult {
 public:
  PgResult() = default;
  explicit PgResult(PGresult* result) : result_(result) {}
  PgResult(const PgResult&) = delete;
  PgResult& operator=(const PgResult&) = delete;
  PgResult(PgResult&& other) noexcept : result_(other.result_) { other.result_ = nullptr; }
  PgResult& operator=(PgResult&& other) noexcept {
    std::swap(result_, other.result_);
    return *this;
  }
  ~PgResult() { PQclear(result_); }

  PGresult* get() const { return result_; }
  ExecStatusType status() const {
    return result_ == nullptr ? PGRES_FATAL_ERROR : PQresultStatus(result_);
  }
  int rows() const { return result_ == nullptr ? 0 : PQntuples(result_); }

 private:
  PGresult* result_ = nullptr;
};

// One row of a binary result. A column of another width than the schema's is read by its
// width, so a value never runs past its bytes.
class PostgresRow {
 public:
  PostgresRow(const PGresult* result, int row) : result_(result), row_(row) {}

  bool IsNull(int column) const { return PQgetisnull(result_, row_, column) != 0; }
  int64_t Int(int column) const {
    const std::span<const uint8_t> bytes = Blob(column);
    if (bytes.empty() || bytes.size() > 8) return 0;
    // Big-endian, sign-extended from its width (bool, int2, int4 or int8).
    uint64_t value = bytes[0] & 0x80 ? ~uint64_t{0} : 0;
    for (uint8_t byte : bytes) value = value << 8 | byte;
    return static_cast<int64_t>(value);
  }
  std::string_view Text(int column) const {
    return {PQgetvalue(result_, row_, column),
            static_cast<std::size_t>(PQgetlength(result_, row_, column))};
  }
  std::span<const uint8_t> Blob(int column) const {
    return {reinterpret_cast<const uint8_t*>(PQgetvalue(result_, row_, column)),
            static_cast<std::size_t>(PQgetlength(result_, row_, column))};
  }

 private:
  const PGresult* result_;
  int row_;
};

}  // namespace zv::archive
