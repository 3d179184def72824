// A prepared SQLite statement while in use: bound, stepped, its columns read, and reset when it
// goes out of scope, so a cached statement is ready again and holds no lock.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zv::archive {

class SqliteQuery {
 public:
  // A statement that failed to prepare (null) fails its Step with `prepared`, the reason.
  explicit SqliteQuery(sqlite3_stmt* statement, int prepared = SQLITE_OK)
      : statement_(statement), bindFailure_(statement == nullptr ? prepared : SQLITE_OK) {}
  SqliteQuery(const SqliteQuery&) = delete;
  SqliteQuery& operator=(const SqliteQuery&) = delete;
  ~SqliteQuery() {
    if (statement_ == nullptr) return;
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
  }

  // Parameters from 1; a failed bind fails the next Step with its code. The bytes must outlive
  // the step (they are not copied).
  void Bind(int at, int64_t value) { Check(sqlite3_bind_int64(statement_, at, value)); }
  void Bind(int at, std::string_view text) {
    Check(
        sqlite3_bind_text64(statement_, at, text.data(), text.size(), SQLITE_STATIC, SQLITE_UTF8));
  }
  void Bind(int at, std::span<const uint8_t> bytes) {
    if (bytes.empty()) {
      Check(sqlite3_bind_null(statement_, at));
    } else {
      Check(sqlite3_bind_blob64(statement_, at, bytes.data(), bytes.size(), SQLITE_STATIC));
    }
  }
  template <typename T>
  void Bind(int at, const std::optional<T>& value) {
    if (value) {
      Bind(at, static_cast<int64_t>(*value));
    } else {
      Check(sqlite3_bind_null(statement_, at));
    }
  }

  // SQLITE_ROW, SQLITE_DONE, or the failure.
  int Step() { return bindFailure_ != SQLITE_OK ? bindFailure_ : sqlite3_step(statement_); }

  bool IsNull(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }
  int64_t Int(int column) const { return sqlite3_column_int64(statement_, column); }
  std::string_view Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return {text == nullptr ? "" : text,
            static_cast<std::size_t>(sqlite3_column_bytes(statement_, column))};
  }
  std::span<const uint8_t> Blob(int column) const {
    const auto* bytes = static_cast<const uint8_t*>(sqlite3_column_blob(statement_, column));
    return {bytes, bytes == nullptr
                       ? 0
                       : static_cast<std::size_t>(sqlite3_column_bytes(statement_, column))};
  }

 private:
  void Check(int result) {
    if (result != SQLITE_OK && bindFailure_ == SQLITE_OK) bindFailure_ = result;
  }

  sqlite3_stmt* statement_;
  int bindFailure_;
};

}  // namespace zv::archive
