#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "emulator/logger_model.h"
#include "emulator/simulated_port.h"
#include "link/download.h"
#include "link/frames.h"
#include "link/messages.h"
#include "tests/support/quiet_ui.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/stream_port.h"

namespace zv {
namespace {

constexpr uint8_t kM = END_MARKER_BYTE;  // one byte of the end marker

using Bytes = std::vector<uint8_t>;

// One block: 32 data bytes (the given ones, the rest `fill`) and their sum, unless overridden.
Bytes Block(Bytes data, uint8_t fill = 0x11, int check = -1) {
  data.resize(kBlockDataBytes, fill);
  data.push_back(check < 0 ? sum8(data.data(), kBlockDataBytes) : static_cast<uint8_t>(check));
  return data;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// The logger's side of a download: '#', the stream, '#' for the closing ping.
Bytes Download(const Bytes& stream, bool closingReady = true) {
  return Concat({{READY}, stream, closingReady ? Bytes{READY} : Bytes{}});
}

struct NoSteps final : StepAction {
  int steps = 0;
  void Step() override { ++steps; }
};

struct StreamCase {
  const char* name;
  Bytes incoming;
  bool ok;
  uint32_t n;
};

TEST(ReadMemoryStream, EndMarkerAndFailurePoints) {
  Bytes zeros31(31, 0x00);
  zeros31.push_back(kM);  // sum of the 32 data bytes is 0xAA: the marker spans the check byte
  Bytes ones31(31, 0x01);
  ones31.push_back(kM);  // its check byte is 0xC9: no marker
  const StreamCase cases[] = {
      {"marker first", Download(Block({kM, kM})), true, 0},
      {"marker at byte 31 with the check byte", Download(Concat({Block({}), Block(zeros31)})), true,
       32 + 31},
      {"kM at byte 31, check differs, next block AA 05",
       Download(Concat({Block(ones31), Block({kM, 0x05}), Block({kM, kM})})), true, 32 + 32},
      {"three kM in a row", Download(Block({1, 2, kM, kM, kM})), true, 2},
      {"single kM is data", Download(Concat({Block({kM, 0x01}), Block({kM, kM})})), true, 32},
      {"first ping not ready", Bytes{'!'}, false, 7777},
      {"bad check byte in the third block",
       Download(Concat({Block({}), Block({}), Block({}, 0x11, 0x00)})), false, 64},
      {"short block", Download(Concat({Block({}), Bytes(20, 0x11)}), false), false, 32},
      {"no answer to the closing ping", Download(Block({5, kM, kM}), false), false, 1},
  };
  for (const StreamCase& c : cases) {
    test::StreamPort port;
    port.incoming = c.incoming;
    auto buffer = std::make_unique<SampleBuffer>();
    buffer->n = 7777;
    NoSteps steps;
    EXPECT_EQ(ReadMemoryStream(port, *buffer, steps), c.ok) << c.name;
    EXPECT_EQ(buffer->n, c.n) << c.name;
  }
}

TEST(ReadMemoryStream, WireSequenceAndOneStepPerBlockRead) {
  test::StreamPort port;
  port.incoming = Download(Concat({Block({}), Block({kM, kM})}));
  auto buffer = std::make_unique<SampleBuffer>();
  NoSteps steps;
  ASSERT_TRUE(ReadMemoryStream(port, *buffer, steps));
  const Bytes expected = {0xA1, 1, 4, 0x5A, 0xA1, 4, 0x10, 0x4B, READY, 0xA1, 1, 4, 0x5A};
  EXPECT_EQ(port.written, expected);
  EXPECT_EQ(steps.steps, 2);
}

TEST(ReadMemoryStream, NeverStoresPastTheBuffer) {
  Bytes full;
  for (int b = 0; b < 1024; ++b) {
    Bytes block = Block({static_cast<uint8_t>(b), static_cast<uint8_t>(b >> 8)});
    full.insert(full.end(), block.begin(), block.end());
  }
  auto buffer = std::make_unique<SampleBuffer>();
  NoSteps steps;

  test::StreamPort exact;  // exactly 32,768 bytes, then the marker
  exact.incoming = Download(Concat({full, Block({kM, kM})}));
  EXPECT_TRUE(ReadMemoryStream(exact, *buffer, steps));
  EXPECT_EQ(buffer->n, kSampleBufferSize);
  EXPECT_EQ(buffer->bytes[32 * 1023], 0xFF);
  EXPECT_EQ(buffer->bytes[32 * 1023 + 1], 0x03);

  test::StreamPort over;  // one more data byte before the marker
  over.incoming = Download(Concat({full, Block({0x01, kM, kM})}));
  EXPECT_FALSE(ReadMemoryStream(over, *buffer, steps));
  EXPECT_EQ(buffer->n, kSampleBufferSize);
}

// A session whose table says what the program knew at connect.
struct DownloadFixture {
  test::StreamPort port;
  LoggerSession session{port};
  std::unique_ptr<SampleStore> store = std::make_unique<SampleStore>();
  test::ScriptedUi ui;

  DownloadFixture(uint8_t channelMode, uint32_t known, uint16_t writePointer) {
    session.connected = true;
    session.info.channelMode = channelMode;
    session.info.knownByteCount = known;
    session.info.tab.SetWritePointer(writePointer);
    session.info.tab.SetMemoryEnd(0x7FFE);
  }
};

std::string Format(const char* format, int a, int b = 0) {
  char text[128];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

Bytes Stream(std::size_t dataBytes) {
  Bytes stream;
  for (std::size_t i = 0; i < dataBytes; i += 32) {
    Bytes data(std::min<std::size_t>(32, dataBytes - i), 0x21);
    if (data.size() < 32) data.insert(data.end(), {kM, kM});
    Bytes block = Block(data);
    stream.insert(stream.end(), block.begin(), block.end());
  }
  if (dataBytes % 32 == 0) {
    Bytes marker = Block({kM, kM});
    stream.insert(stream.end(), marker.begin(), marker.end());
  }
  return stream;
}

TEST(RunDownload, MoreThanKnownReportsRecoveredSamplesAndRecounts) {
  DownloadFixture f(2, 400, 480);
  f.port.incoming = Download(Stream(480));
  f.ui.Expect(Format(msg::kDownloadedFormat.c_str(), 120, 480), MessageIcon::Information);
  f.ui.Expect(Format(msg::kRecoveredFormat.c_str(), 20), MessageIcon::Information);
  EXPECT_TRUE(RunDownload(f.session, *f.store, f.ui));
  EXPECT_EQ(f.session.info.knownByteCount, 480u);
  EXPECT_EQ(f.session.info.tab.WritePointer(), 480);
  EXPECT_EQ(f.store->loaded.n, 480u);
  EXPECT_EQ(f.ui.downloadRange, 480);
  EXPECT_EQ(f.ui.state, test::ScreenState::SamplesLoaded);
  EXPECT_EQ(f.ui.repaints, 1);
}

TEST(RunDownload, SameAsKnownOnlyReportsAndFewerRecountsSilently) {
  {
    DownloadFixture f(1, 64, 64);
    f.port.incoming = Download(Stream(64));
    f.ui.Expect(Format(msg::kDownloadedFormat.c_str(), 32, 64), MessageIcon::Information);
    EXPECT_TRUE(RunDownload(f.session, *f.store, f.ui));
    EXPECT_EQ(f.ui.repaints, 0);
    EXPECT_STREQ(f.session.info.texts.count, "");
  }
  {
    DownloadFixture f(1, 640, 640);
    f.port.incoming = Download(Stream(0));
    f.ui.Expect(Format(msg::kDownloadedFormat.c_str(), 0, 0), MessageIcon::Information);
    EXPECT_TRUE(RunDownload(f.session, *f.store, f.ui));
    EXPECT_EQ(f.session.info.knownByteCount, 0u);
    EXPECT_EQ(f.ui.state, test::ScreenState::SamplesLoaded);
  }
}

TEST(RunDownload, FailureKeepsTheLoadedSamplesAndEveryState) {
  for (bool closedBeforeStart : {false, true}) {
    DownloadFixture f(1, 64, 64);
    f.store->loaded.n = 4;
    std::memcpy(f.store->loaded.bytes, "\x71\x01\x5E\xFF", 4);
    f.ui.state = test::ScreenState::SamplesLoaded;
    f.ui.closeDownloadWindow = closedBeforeStart;
    f.port.incoming = Download(Concat({Stream(64)}), false);  // bad: no closing ready
    f.ui.Expect(msg::kDownloadFailed.c_str(), MessageIcon::Exclamation);
    EXPECT_FALSE(RunDownload(f.session, *f.store, f.ui));
    EXPECT_EQ(f.store->loaded.n, 4u);
    EXPECT_EQ(0, std::memcmp(f.store->loaded.bytes, "\x71\x01\x5E\xFF", 4));
    EXPECT_EQ(f.session.info.knownByteCount, 64u);
    EXPECT_EQ(f.ui.state, test::ScreenState::SamplesLoaded);
    EXPECT_TRUE(f.session.connected);
  }
}

TEST(RunDownload, AllocatesNothing) {
  test::StreamPort port;
  port.incoming = Download(Stream(32 * 100 + 10));
  port.written.reserve(64);
  LoggerSession session(port);
  session.info.knownByteCount = 10;
  auto store = std::make_unique<SampleStore>();
  test::QuietUi ui;
  test::AllocationCounter counter;
  EXPECT_TRUE(RunDownload(session, *store, ui));
  EXPECT_EQ(counter.count(), 0);
}

// A download that fails in the middle of the stream leaves the logger sending; the next ready
// check, and the next download, must not take the rest of that stream for their answers.
TEST(RunDownload, TheNextOperationIsNotFooledByAnAbandonedStream) {
  for (const bool paced : {false, true}) {
    for (const char* fault : {"bad-check=0", "stall=2", "no-end-marker"}) {
      SCOPED_TRACE(std::string(fault) + (paced ? ", paced" : ", unpaced"));
      emu::LoggerSetup setup;
      setup.paced = paced;
      ASSERT_TRUE(emu::ApplyFault(setup.faults, fault));
      emu::LoggerModel model(setup);
      emu::SimulatedPort port(model);
      LoggerSession session(port);
      test::QuietUi ui;
      ASSERT_EQ(ConnectTo(session, ui, "COM1"), ConnectResult::Connected);
      auto store = std::make_unique<SampleStore>();
      EXPECT_FALSE(RunDownload(session, *store, ui));
      model.SetFaults({});
      EXPECT_TRUE(Ping(port));
      EXPECT_TRUE(RunDownload(session, *store, ui));
      EXPECT_EQ(store->loaded.n, 256u);
    }
  }
}

}  // namespace
}  // namespace zv
