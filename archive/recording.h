// A recording as the archive keeps it: the bytes exactly as they came, their SHA-256, and the
// few facts read from those bytes that a listing shows. The bytes are the record; the facts are
// derived from them by one function, at keeping and again at verifying.
//
// A download keeps the 26 INFO_TAB bytes and the memory bytes as the port gave them; its hash
// covers INFO_TAB ‖ memory. An import keeps the export file's own bytes and their hash: its
// readings are read from the file, and nothing of it passes for a download.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "archive/crypto.h"
#include "base/info_tab.h"
#include "base/sample_memory.h"

namespace zv::archive {

enum class RecordingOrigin : uint8_t { Downloaded, Imported };

const char* OriginName(RecordingOrigin origin);  // "downloaded", "imported"
bool OriginFromName(std::string_view name, RecordingOrigin& origin);

// What a listing shows of a recording, all of it read from its bytes.
struct RecordingFacts {
  RecordingOrigin origin = RecordingOrigin::Downloaded;
  std::string loggerId;  // UTF-8, trailing spaces dropped
  uint8_t channelMode = 1;
  uint32_t byteCount = 0;  // memory bytes (an import: those its readings fill)
  uint32_t readings = 0;   // complete slots
  std::optional<uint32_t> intervalSeconds;
  // The status code of the table; an import's, when its status line is one of the logger's.
  std::optional<uint8_t> statusCode;
  // SHA-256 of the channel mode and every whole word's reading, whatever the file or the memory
  // around them: a text export made of the recording finds it by these.
  Sha256Digest readingsSha256{};

  bool operator==(const RecordingFacts&) const = default;
};

struct Recording {
  int64_t id = 0;  // the archive's number; 0 until kept
  Sha256Digest sha256{};
  RecordingOrigin origin = RecordingOrigin::Downloaded;
  std::vector<uint8_t> infoTab;     // 26 bytes of a download; empty for an import
  std::vector<uint8_t> memory;      // a download's memory bytes; empty for an import
  std::vector<uint8_t> exportFile;  // an import's file; empty for a download
  RecordingFacts facts;
};

// The readings hash of samples read back from anywhere (see RecordingFacts); false when
// hashing fails.
bool ReadingsSha256(const SampleBuffer& samples, uint8_t channelMode, Sha256Digest& digest);

// A download's recording from the table as received and the memory bytes (at most 32,768);
// false when there are more bytes than the memory holds or hashing fails.
bool RecordingOfDownload(const INFO_TAB& asReceived, std::span<const uint8_t> memory,
                         Recording& out);

// An import's recording from an export file's bytes; false when the file is not an export of
// this program (`why` says how) or hashing fails.
bool RecordingOfImport(std::span<const uint8_t> file, Recording& out, std::string& why);

// The facts and the hash its bytes give now; false when they give none (bytes of the wrong
// size, an import that no longer reads as an export).
bool DeriveFromBytes(const Recording& recording, RecordingFacts& facts, Sha256Digest& sha256);

}  // namespace zv::archive
