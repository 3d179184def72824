// The archive's cases, run on every store of StoreKinds(): keeping, listing, verifying, and the
// faults (tampering, a newer schema, a read-only archive, two writers at once, a writer killed).
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "archive/event_drafts.h"
#include "archive/keep.h"
#include "archive/open_archive.h"
#include "archive/recording_queries.h"
#include "archive/verify.h"
#include "samples/export_file.h"
#include "tests/archive/archive_fixtures.h"
#include "tests/archive/writer_process.h"
#include "tests/support/string_sink.h"

namespace zv::archive::test {
namespace {

class ArchiveCases : public ::testing::TestWithParam<StoreKind> {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/zv-archive-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    folder_ = folder;
    location_ = GetParam().freshLocation(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  KeptRecording Keep(ArchiveStore& store, uint32_t seed, int64_t utc = 1'800'000'000,
                     const char* logger = "KVAR2-TEST") {
    const TestDownload download = MakeDownload(seed, logger);
    KeptRecording kept;
    const ArchiveStatus status = KeepDownload(store, download.table, download.memory,
                                              "/dev/ttyUSB0", TestAttribution(utc), kept);
    EXPECT_TRUE(status.ok()) << status.message;
    return kept;
  }

  VerifyReport Verified() {
    VerifyReport report;
    auto store = OpenForTest(location_, OpenMode::ReadOnly);
    const ArchiveStatus status = store ? Verify(*store, report) : ArchiveStatus{};
    EXPECT_TRUE(store && status.ok()) << status.message;
    return report;
  }

  std::string folder_;
  std::string location_;
};

TEST_P(ArchiveCases, SameBytesTwiceAreOneRecordingAndTwoEvents) {
  auto store = OpenForTest(location_);
  ASSERT_TRUE(store);
  const KeptRecording first = Keep(*store, 1, 1'800'000'000);
  const KeptRecording again = Keep(*store, 1, 1'800'003'600);
  const KeptRecording other = Keep(*store, 2);
  EXPECT_FALSE(first.alreadyKept);
  EXPECT_TRUE(again.alreadyKept);
  EXPECT_EQ(again.recordingId, first.recordingId);
  EXPECT_NE(other.recordingId, first.recordingId);
  EXPECT_EQ(again.eventSeq, first.eventSeq + 1);

  RecordingDetails details;
  ASSERT_TRUE(ShowRecording(*store, first.recordingId, details).ok());
  const TestDownload download = MakeDownload(1);
  EXPECT_EQ(details.recording.memory, download.memory);
  EXPECT_EQ(details.recording.infoTab,
            std::vector<uint8_t>(download.table.bytes, download.table.bytes + kInfoTabSize));
  ASSERT_EQ(details.events.size(), 2u);
  EXPECT_EQ(details.events[1].columns.atUtc, 1'800'003'600);
  // Measuring when downloaded: the start is estimated from the first download.
  ASSERT_TRUE(details.EstimatedStart());
  EXPECT_EQ(details.EstimatedStart()->firstReadingUtc, 1'800'000'000 - 8191 * 300);

  // Another event names a kept recording by its hash; one never kept is refused.
  Sha256Digest file{};
  EXPECT_TRUE(RecordEvent(*store, FileWrittenDraft("report", "r.pdf", "pdf", file, first.sha256),
                          TestAttribution())
                  .ok());
  EXPECT_EQ(
      RecordEvent(*store, FileWrittenDraft("report", "r.pdf", "pdf", file, file), TestAttribution())
          .fault,
      ArchiveFault::NotFound);
  store.reset();
  const VerifyReport report = Verified();
  EXPECT_TRUE(report.Clean()) << report.findings[0].text;
  EXPECT_EQ(report.recordings, 2u);
  EXPECT_EQ(report.events, 4u);
}

TEST_P(ArchiveCases, ListsByLoggerAndFirstKeep) {
  auto store = OpenForTest(location_);
  ASSERT_TRUE(store);
  const int64_t a = Keep(*store, 1, 1000, "K-1").recordingId;
  const int64_t b = Keep(*store, 2, 2000, "K-2").recordingId;
  const int64_t c = Keep(*store, 3, 3000, "K-1").recordingId;
  Keep(*store, 1, 4000, "K-1");  // downloaded again: still listed by its first keep

  struct Case {
    std::optional<std::string> logger;
    std::optional<int64_t> since;
    std::vector<int64_t> ids;
  };
  const Case cases[] = {{{}, {}, {a, b, c}},
                        {"K-1", {}, {a, c}},
                        {{}, 2000, {b, c}},
                        {"K-1", 2500, {c}},
                        {"K-3", {}, {}}};
  for (const Case& test : cases) {
    std::vector<RecordingListing> listing;
    ASSERT_TRUE(store->ListRecordings({test.logger, test.since}, listing).ok());
    std::vector<int64_t> ids;
    for (const RecordingListing& line : listing) ids.push_back(line.id);
    EXPECT_EQ(ids, test.ids) << test.logger.value_or("any") << " " << test.since.value_or(0);
  }
  std::vector<RecordingListing> all;
  ASSERT_TRUE(store->ListRecordings({}, all).ok());
  EXPECT_EQ(all[0].keptAtUtc, 1000);
  EXPECT_EQ(all[0].source, "/dev/ttyUSB0");
  EXPECT_EQ(all[0].facts.readings, 8192u);
  EXPECT_EQ(all[0].facts.loggerId, "K-1");
}

// `verify FILE` finds a recording by the readings of a text export made of it, and an import
// of that export is a recording of its own, marked imported, with the same readings.
TEST_P(ArchiveCases, AnExportFindsItsRecordingAndImportsAsImported) {
  auto store = OpenForTest(location_);
  ASSERT_TRUE(store);
  // An odd number of words over two channels: the half slot is exported too.
  const TestDownload download = MakeDownload(5, "KVAR2-TEST", 1002);
  KeptRecording kept;
  ASSERT_TRUE(
      KeepDownload(*store, download.table, download.memory, "/dev/ttyUSB0", TestAttribution(), kept)
          .ok());
  Recording recording;
  ASSERT_TRUE(store->LoadRecording(kept.recordingId, recording).ok());
  LoggerInfo info;
  auto samples = std::make_unique<SampleBuffer>();
  ASSERT_TRUE(RebuildDownload(recording, info, *samples));
  zv::test::StringSink exported;
  WriteExportFile(*samples, info, exported);

  const std::span file(reinterpret_cast<const uint8_t*>(exported.text.data()),
                       exported.text.size());
  KeptRecording imported;
  ASSERT_TRUE(KeepImport(*store, file, "samples.txt", TestAttribution(), imported).ok());
  std::vector<int64_t> ids;
  ASSERT_TRUE(FindByReadings(*store, *samples, info.channelMode, ids).ok());
  EXPECT_EQ(ids, (std::vector<int64_t>{kept.recordingId, imported.recordingId}));

  Recording copy;
  ASSERT_TRUE(store->LoadRecording(imported.recordingId, copy).ok());
  EXPECT_EQ(copy.origin, RecordingOrigin::Imported);
  EXPECT_TRUE(copy.memory.empty());
  EXPECT_EQ(copy.exportFile, std::vector<uint8_t>(file.begin(), file.end()));
  EXPECT_EQ(copy.facts.loggerId, "KVAR2-TEST");
  EXPECT_FALSE(EstimateStart(copy.facts, 1'800'000'000));
  const std::string text = "not an export";
  EXPECT_EQ(KeepImport(*store, std::span(reinterpret_cast<const uint8_t*>(text.data()), 13),
                       "x.txt", TestAttribution(), imported)
                .fault,
            ArchiveFault::BadInput);
}

// Three downloads and a file written from the second: events 1 to 4. Each edit by hand is
// found, and named where it is.
TEST_P(ArchiveCases, VerifyFindsEveryEditByHand) {
  struct Case {
    const char* name;
    const char* sql;
    Finding what;
    int64_t recordingId;
    int64_t eventSeq;
  };
  const Case cases[] = {
      {"edited event", "UPDATE events SET body = replace(body, 'tester', 'someone') WHERE seq = 2",
       Finding::EventAltered, 0, 2},
      {"removed event", "DELETE FROM events WHERE seq = 2", Finding::EventRemoved, 0, 3},
      {"removed newest event", "DELETE FROM events WHERE seq = 4", Finding::TrailCut, 0, 4},
      {"inserted event",
       "UPDATE events SET seq = seq + 100 WHERE seq >= 3;"
       "UPDATE events SET seq = seq - 99 WHERE seq >= 100;"
       "INSERT INTO events (seq, kind, at_utc, recording_id, source, body, content_hash, "
       "chain_hash) SELECT 3, kind, at_utc, recording_id, source, body, chain_hash, chain_hash "
       "FROM events WHERE seq = 2",
       Finding::EventInserted, 0, 3},
      {"reordered events",
       "UPDATE events SET seq = 0 - 2 WHERE seq = 2; UPDATE events SET seq = 2 WHERE seq = 3;"
       "UPDATE events SET seq = 3 WHERE seq = 0 - 2",
       Finding::EventsReordered, 0, 2},
      {"altered recording", "UPDATE recordings SET memory = substr(memory, 1, 100) WHERE id = 2",
       Finding::RecordingAltered, 2, 0},
      {"altered listing", "UPDATE recordings SET logger_id = 'OTHER' WHERE id = 2",
       Finding::RecordingFactsAltered, 2, 0},
      {"removed recording", "DELETE FROM recordings WHERE id = 2", Finding::EventRecordingMissing,
       0, 2},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directory(folder_);
    location_ = GetParam().freshLocation(folder_);
    {
      auto store = OpenForTest(location_);
      ASSERT_TRUE(store);
      Keep(*store, 1);
      const KeptRecording second = Keep(*store, 2);
      Keep(*store, 3);
      ASSERT_TRUE(RecordEvent(*store, FileWrittenDraft("read", "a.txt", "txt", {}, second.sha256),
                              TestAttribution())
                      .ok());
    }
    ASSERT_TRUE(Verified().Clean());
    ASSERT_TRUE(GetParam().tamper(location_, test.sql));

    const VerifyReport report = Verified();
    bool found = false;
    for (const VerifyFinding& finding : report.findings) {
      found |= finding.what == test.what && finding.recordingId == test.recordingId &&
               finding.eventSeq == test.eventSeq;
    }
    EXPECT_TRUE(found) << (report.findings.empty() ? "clean" : report.findings[0].text);
    if (test.eventSeq != 0) {
      ASSERT_NE(report.FirstBrokenLink(), nullptr);
      EXPECT_EQ(report.FirstBrokenLink()->eventSeq, test.eventSeq)
          << report.FirstBrokenLink()->text;
    }
  }
}

TEST_P(ArchiveCases, NewerSchemaIsRefusedAndReadOnlyKeepsNothing) {
  {
    auto store = OpenForTest(location_);
    ASSERT_TRUE(store);
    Keep(*store, 1);
  }
  {
    auto store = OpenForTest(location_, OpenMode::ReadOnly);
    ASSERT_TRUE(store);
    const TestDownload download = MakeDownload(2);
    KeptRecording kept;
    EXPECT_EQ(
        KeepDownload(*store, download.table, download.memory, "p", TestAttribution(), kept).fault,
        ArchiveFault::NotWritten);
  }
  EXPECT_EQ(Verified().recordings, 1u);

  ASSERT_TRUE(
      GetParam().tamper(location_, "UPDATE meta SET value = '99' WHERE key = 'schema_version'"));
  for (OpenMode mode : {OpenMode::ReadWrite, OpenMode::ReadOnly}) {
    ArchiveLocation where;
    ASSERT_TRUE(ResolveArchiveLocation(location_.c_str(), where).ok());
    std::unique_ptr<ArchiveStore> store;
    const ArchiveStatus status = OpenArchive(where, mode, store);
    EXPECT_EQ(status.fault, ArchiveFault::NewerSchema);
    EXPECT_NE(status.message.find("schema version 99"), std::string::npos) << status.message;
  }
}

TEST_P(ArchiveCases, TwoWritersAtOnceBothKeepIntoOneChain) {
  constexpr int kEach = 15;
  const Writer a = StartWriter({location_, "1", std::to_string(kEach), "--shared"});
  const Writer b = StartWriter({location_, "1001", std::to_string(kEach), "--shared"});
  EXPECT_EQ(FinishWriter(a), 0);
  EXPECT_EQ(FinishWriter(b), 0);
  const VerifyReport report = Verified();
  EXPECT_TRUE(report.Clean()) << report.findings[0].text;
  EXPECT_EQ(report.recordings, 2u * kEach + 1);  // the shared download is one recording
  EXPECT_EQ(report.events, 4u * kEach);
}

// Eight technicians downloading at the same moment: every keep in one chain, in turn.
TEST_P(ArchiveCases, EightWritersAtOnceMakeOneChain) {
  constexpr int kWriters = 8;
  constexpr int kEach = 6;
  std::vector<Writer> writers;
  for (int w = 0; w < kWriters; ++w) {
    writers.push_back(
        StartWriter({location_, std::to_string(1 + w * 1000), std::to_string(kEach), "--shared"}));
  }
  for (const Writer& writer : writers) EXPECT_EQ(FinishWriter(writer), 0);
  const VerifyReport report = Verified();
  EXPECT_TRUE(report.Clean()) << report.findings[0].text;
  EXPECT_EQ(report.recordings, kWriters * kEach + 1u);
  EXPECT_EQ(report.events, 2u * kWriters * kEach);
}

// A writer killed at random points, again and again, from the very first open: whatever it
// confirmed is kept whole, nothing is half kept, and the trail verifies.
TEST_P(ArchiveCases, AWriterKilledAtAnyPointLeavesRecordingsWholeOrAbsent) {
  std::mt19937 random(std::random_device{}());
  std::vector<uint32_t> confirmed;
  constexpr int kKills = 6;
  for (int round = 0; round < kKills; ++round) {
    const Writer writer = StartWriter({location_, std::to_string(round * 100000), "100000"});
    usleep(std::uniform_int_distribution<useconds_t>(5'000, 400'000)(random));
    kill(writer.pid, SIGKILL);
    EXPECT_EQ(FinishWriter(writer, &confirmed), 128 + SIGKILL);
  }
  // And one let run to its end keeps after whatever the kills left (on a slow machine each may
  // have come before the archive was even set up).
  EXPECT_EQ(FinishWriter(StartWriter({location_, "999999", "1"}), &confirmed), 0);
  const VerifyReport report = Verified();
  EXPECT_TRUE(report.Clean()) << report.findings[0].text;
  // At most one keep a round was committed but not yet confirmed when the kill came.
  EXPECT_GE(report.recordings, confirmed.size());
  EXPECT_LE(report.recordings, confirmed.size() + kKills);
  auto store = OpenForTest(location_, OpenMode::ReadOnly);
  ASSERT_TRUE(store);
  for (uint32_t seed : confirmed) {
    const TestDownload download = MakeDownload(seed);
    Recording recording;
    ASSERT_TRUE(RecordingOfDownload(download.table, download.memory, recording));
    int64_t id = 0;
    ASSERT_TRUE(store->FindRecording(recording.sha256, id).ok());
    EXPECT_NE(id, 0) << "seed " << seed << " was confirmed but is not kept";
  }
}

INSTANTIATE_TEST_SUITE_P(Stores, ArchiveCases, ::testing::ValuesIn(StoreKinds()),
                         [](const auto& store) { return std::string(store.param.name); });

}  // namespace
}  // namespace zv::archive::test
