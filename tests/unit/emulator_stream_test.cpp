// The emulated logger's memory stream: blocks, check bytes and the end marker, as a host
// reading 33-byte blocks would see them.
#include <gtest/gtest.h>

#include <array>
#include <string_view>
#include <vector>

#include "emulator/logger_model.h"
#include "emulator/memory_stream.h"
#include "link/frames.h"

namespace zv::emu {
namespace {

constexpr uint8_t kM = END_MARKER_BYTE;  // one byte of the end marker

using Block = std::array<uint8_t, kBlockBytes>;

// Where a host finds the marker in a block: data byte i and the byte after it (the check
// byte after data byte 31) both 0xAA.
int MarkerAt(const Block& block) {
  for (std::size_t i = 0; i < kBlockDataBytes; ++i) {
    if (block[i] == kM && block[i + 1] == kM) return static_cast<int>(i);
  }
  return -1;
}

std::vector<Block> AllBlocks(const LoggerModel& model) {
  const MemoryStream stream(model.Memory(), model.Setup().faults);
  std::vector<Block> blocks(stream.BlockCount());
  for (std::size_t k = 0; k < blocks.size(); ++k) {
    uint8_t raw[kBlockBytes];
    EXPECT_EQ(stream.Block(k, raw), kBlockBytes);
    std::copy(std::begin(raw), std::end(raw), blocks[k].begin());
  }
  return blocks;
}

struct LengthCase {
  std::size_t memoryBytes;
  bool twoChannels;
  bool splitMarker;
  std::size_t expectedLength;
};

const LengthCase kLengthCases[] = {
    {0, false, false, 0},         {1, false, false, 1},  {30, true, false, 30},
    {31, false, false, 31},       {63, true, false, 63}, {256, false, false, 256},
    {256, true, true, 255},       {10, false, true, 31}, {32768, true, false, 32768},
    {32767, false, false, 32767},
};

TEST(EmulatorStreamTest, DataEndsWithTheMarkerInItsLastBlock) {
  for (const LengthCase& c : kLengthCases) {
    SCOPED_TRACE(c.memoryBytes);
    LoggerSetup setup;
    setup.memoryBytes = c.memoryBytes;
    setup.flags = c.twoChannels ? kFlagTwoChannels : 0;
    setup.faults.splitMarker = c.splitMarker;
    const LoggerModel model(setup);
    const std::vector<uint8_t>& memory = model.Memory();
    ASSERT_EQ(memory.size(), c.expectedLength);

    const std::vector<Block> blocks = AllBlocks(model);
    ASSERT_EQ(blocks.size(), c.expectedLength / 32 + 1);
    std::vector<uint8_t> received;
    for (std::size_t k = 0; k < blocks.size(); ++k) {
      const Block& block = blocks[k];
      ASSERT_EQ(sum8(block.data(), kBlockDataBytes), block[kBlockDataBytes]) << "block " << k;
      const int marker = MarkerAt(block);
      ASSERT_EQ(marker >= 0, k + 1 == blocks.size()) << "block " << k;
      received.insert(received.end(), block.begin(), block.begin() + (marker < 0 ? 32 : marker));
    }
    EXPECT_EQ(received, memory);
    EXPECT_EQ(MarkerAt(blocks.back()), static_cast<int>(c.expectedLength % 32));
  }
}

TEST(EmulatorStreamTest, FullMemoryIs1024BlocksThenTheMarker) {
  LoggerSetup setup;
  setup.memoryStart = 0;
  setup.writePointer = 0;
  setup.memoryBytes = 32768;
  const LoggerModel model(setup);
  const std::vector<Block> blocks = AllBlocks(model);
  ASSERT_EQ(blocks.size(), 1025u);
  EXPECT_EQ(blocks[1024][0], kM);
  EXPECT_EQ(blocks[1024][1], kM);
}

TEST(EmulatorStreamTest, SplitMarkerPaddingNeverBeginsTheMarkerEarly) {
  // Data bytes 0..29 summing to 0x56 would ask for 0xAA as byte 30: the padding moves a unit.
  LoggerSetup setup;
  setup.memoryImage = std::vector<uint8_t>(31, 0);
  (*setup.memoryImage)[0] = 0x56;
  const LoggerModel model(setup);
  const std::vector<Block> blocks = AllBlocks(model);
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(MarkerAt(blocks[0]), 31);
  EXPECT_EQ(blocks[0][kBlockDataBytes], kM);
  EXPECT_EQ(std::vector<uint8_t>(blocks[0].begin(), blocks[0].begin() + 31), model.Memory());
}

TEST(EmulatorStreamTest, ReadingsAreEncodedAsTheProgramDecodesThem) {
  EXPECT_EQ(EncodeReading(23 * 16 + 1), 0x0171);     // 23,0625
  EXPECT_EQ(EncodeReading(-(10 * 16 + 2)), 0xFF5E);  // -10,1250
  EXPECT_EQ(EncodeReading(0), 0x0000);
}

// Runs the memory command on an unpaced model and collects at most `limit` output bytes.
std::vector<uint8_t> StreamBytes(LoggerModel& model, std::size_t limit) {
  model.Receive(WAKE, 0);
  for (uint8_t byte : GREETING) model.Receive(byte, 0);
  uint8_t byte = 0;
  while (model.PopOutput(1'000'000, byte)) {
  }
  for (uint8_t frameByte : MakeCommandFrame(CMD_READ_MEMORY).bytes) model.Receive(frameByte, 0);
  std::vector<uint8_t> out;
  while (out.size() < limit && model.PopOutput(1'000'000, byte)) out.push_back(byte);
  return out;
}

TEST(EmulatorStreamTest, BlockFaults) {
  struct FaultCase {
    const char* fault;
    std::size_t expectedBytes;
    int badBlock;  // -1: every block's check byte is right
  };
  const FaultCase cases[] = {
      {"bad-check=1", 9 * 33, 1},
      {"stall=2", 2 * 33 + 10, -1},
      {"unplug=2", 2 * 33 + 10, -1},
      {"no-end-marker", 40'000, -1},  // endless: stopped by the limit, not by the logger
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.fault);
    LoggerSetup setup;
    setup.paced = false;
    setup.transcriptCapacity = 64;  // the endless stream must not need a transcript to run
    ASSERT_TRUE(ApplyFault(setup.faults, c.fault));
    LoggerModel model(setup);
    const std::vector<uint8_t> out = StreamBytes(model, 40'000);
    ASSERT_EQ(out.size(), c.expectedBytes);
    for (std::size_t k = 0; (k + 1) * 33 <= out.size(); ++k) {
      Block block;
      std::copy_n(out.begin() + static_cast<std::ptrdiff_t>(k * 33), 33, block.begin());
      EXPECT_EQ(sum8(block.data(), kBlockDataBytes) != block[kBlockDataBytes],
                static_cast<int>(k) == c.badBlock);
      if (std::string_view(c.fault) == "no-end-marker") {
        ASSERT_EQ(MarkerAt(block), -1);
      }
    }
  }
}

TEST(EmulatorStreamTest, UnplugIsDueAfterTheLastByteAndHappensOnce) {
  LoggerSetup setup;
  setup.paced = false;
  ASSERT_TRUE(ApplyFault(setup.faults, "unplug=1"));
  LoggerModel model(setup);
  EXPECT_EQ(StreamBytes(model, 33 + 9).size(), 33u + 9);
  EXPECT_FALSE(model.UnplugDue());
  uint8_t byte = 0;
  ASSERT_TRUE(model.PopOutput(1'000'000, byte));
  EXPECT_TRUE(model.UnplugDue());

  model.PlugBackIn();
  EXPECT_FALSE(model.Linked());
  EXPECT_FALSE(model.UnplugDue());
  const std::vector<uint8_t> again = StreamBytes(model, 40'000);  // a new greeting, a download
  EXPECT_EQ(again.size(), (model.Memory().size() / 32 + 1) * 33);
}

TEST(EmulatorStreamTest, FaultNamesParse) {
  FaultSet faults;
  EXPECT_TRUE(ApplyFault(faults, "bad-check=3"));
  EXPECT_EQ(faults.badCheckBlock, 3);
  EXPECT_TRUE(ApplyFault(faults, "silent-after-write"));
  EXPECT_TRUE(faults.silentAfterWrite);
  for (const char* bad : {"bad-check", "stall=x", "stall=-1", "silent-ping=1", "nope", ""}) {
    EXPECT_FALSE(ApplyFault(faults, bad)) << bad;
  }
}

}  // namespace
}  // namespace zv::emu
