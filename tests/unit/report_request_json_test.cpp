#include "report/report_request_json.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "base/byte_sink.h"
#include "report/report_json.h"
#include "tests/support/string_sink.h"

namespace zv {
namespace {

ReportRequest Request(SourceKind kind, KeptOrigin origin) {
  ReportRequest r;
  r.title = "Chłodnia \"3\"";
  r.language = LabelLanguage::English;
  r.showB = false;
  r.limits.a = {-5, 80001};
  r.limits.b.high = -549999;
  StartTime start;
  start.utc = 1764576000;
  start.fixedOffset = -(5 * 3600 + 30 * 60);
  r.start = start;
  r.startEstimated = true;
  r.activationEnergy = 83144.5;
  r.sourceKind = kind;
  r.source = "/tmp/eksport ż.txt";
  r.madeAtUtc = 1765170000;
  r.madeAtOffset = 3600;
  r.version = "0.9.1";
  r.recording.sha256 = std::string(64, 'a');
  r.recording.archiveId = 12;
  r.recording.origin = origin;
  return r;
}

// What a PDF's keywords hold, and what the report's JSON document holds, read back, make the
// same request again, to the last digit of every limit.
TEST(ReportRequestJson, ReadsBackWhatWasWritten) {
  ReportRequest local = Request(SourceKind::Port, KeptOrigin::Unknown);
  local.start->localZone = true;
  local.start->fixedOffset = 0;
  local.recording = {};
  const ReportRequest rows[] = {
      Request(SourceKind::Archive, KeptOrigin::Imported),
      Request(SourceKind::ExportFile, KeptOrigin::Downloaded),
      local,
      ReportRequest{},
  };
  for (const ReportRequest& written : rows) {
    const std::string keywords = ReportKeywords(written);
    ReportRequest read;
    std::string why;
    ASSERT_TRUE(ReportRequestFromJson(nlohmann::json::parse(keywords), read, why))
        << keywords << ": " << why;
    EXPECT_EQ(ReportKeywords(read), keywords);
    EXPECT_EQ(read.recording, written.recording);
    EXPECT_EQ(read.limits.b.high, written.limits.b.high);

    SampleBuffer samples;
    ReportFacts facts;
    facts.samples = &samples;
    facts.request = written;
    test::StringSink document;
    WriteReportJson(facts, document);
    ReportRequest fromDocument;
    ASSERT_TRUE(ReportRequestFromJson(nlohmann::json::parse(document.text), fromDocument, why))
        << why;
    EXPECT_EQ(ReportKeywords(fromDocument), keywords);
  }
}

// A document from outside: each wrong member refused, naming it.
TEST(ReportRequestJson, RefusesWhatIsNotARequest) {
  const nlohmann::json good =
      nlohmann::json::parse(ReportKeywords(Request(SourceKind::Port, KeptOrigin::Downloaded)));
  const struct {
    const char* pointer;
    nlohmann::json value;
    const char* named;
  } cases[] = {
      {"/zorvant_report", 2, "zorvant_report"},
      {"/recording/sha256", std::string(64, 'A'), "sha256"},
      {"/recording/sha256", "abc", "sha256"},
      {"/recording/archive_id", 0, "archive_id"},
      {"/recording/archive_id", 18446744073709551615ull, "archive_id"},
      {"/recording/origin", "edited", "origin"},
      {"/request/title", 7, "title"},
      {"/request/title", "a\x1b[2Jb", "title"},
      {"/request/language", "de", "language"},
      {"/request/show_a", 1, "show_a"},
      {"/request/limits_e4/low_a", 1250001, "low_a"},
      {"/request/limits_e4/high_b", 2.5, "high_b"},
      {"/request/started_at/utc", 1ll << 50, "utc"},
      {"/request/started_at/offset_s", 86400, "offset_s"},
      {"/request/activation_energy_j_per_mol", "83144", "activation_energy_j_per_mol"},
      {"/request/activation_energy_j_per_mol", 0.5, "activation_energy_j_per_mol"},
      {"/request/source/kind", "printer", "kind"},
      {"/request/source/name", std::string(5000, 'x'), "name"},
      {"/request/made_at", "2026-12-08", "made_at"},
      {"/request", nlohmann::json::array(), "request"},
  };
  for (const auto& c : cases) {
    nlohmann::json document = good;
    document[nlohmann::json::json_pointer(c.pointer)] = c.value;
    ReportRequest read;
    read.title = "untouched";
    std::string why;
    EXPECT_FALSE(ReportRequestFromJson(document, read, why)) << c.pointer;
    EXPECT_NE(why.find(c.named), std::string::npos) << c.pointer << ": " << why;
    EXPECT_EQ(read.title, "untouched") << c.pointer;
  }
  nlohmann::json missing = good;
  missing["request"].erase("program_version");
  ReportRequest read;
  std::string why;
  EXPECT_FALSE(ReportRequestFromJson(missing, read, why));
  EXPECT_FALSE(ReportRequestFromJson(nlohmann::json::array(), read, why));
}

}  // namespace
}  // namespace zv
