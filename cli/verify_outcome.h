// What `zorvant-cli verify` found about one file: which kind of file it is, the recording of the
// archive it names or resembles, and each place where its figures are not the original's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "archive/crypto.h"
#include "base/byte_sink.h"

namespace zv::cli {

enum class VerifiedKind : uint8_t { TextExport, ReportJson, ReportPdf };
enum class VerifyResult : uint8_t { Matches, Differs, NotFound };

const char* VerifiedKindName(VerifiedKind kind);    // "text_export", "report_json", "report_pdf"
const char* VerifyResultName(VerifyResult result);  // "matches", "differs", "not_found"

// One place where the file and the original disagree: "reading 17, channel A" and the two
// values as a reader sees them ("" where one side has none).
struct Difference {
  std::string where;
  std::string inFile;
  std::string inOriginal;
};

struct VerifyOutcome {
  VerifiedKind kind = VerifiedKind::TextExport;
  VerifyResult result = VerifyResult::NotFound;
  int64_t recordingId = 0;  // the original's number in the archive; 0 when none was found
  archive::Sha256Digest recordingSha256{};
  std::string note;                     // why not found, or what a match rests on
  std::vector<Difference> differences;  // at most kMostListed
  std::size_t differencesLeftOut = 0;

  static constexpr std::size_t kMostListed = 20;
  // Lists the difference, or counts it among those left out.
  void Add(std::string where, std::string inFile, std::string inOriginal);
  std::size_t DifferenceCount() const { return differences.size() + differencesLeftOut; }
};

// Bytes gathered in memory: a regenerated export or report, to compare with the file.
class StringSink final : public ByteSink {
 public:
  void Put(const char* bytes, std::size_t n) override { text.append(bytes, n); }
  std::string text;
};

}  // namespace zv::cli
