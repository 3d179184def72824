#include <gtest/gtest.h>

#include "app/control_states.h"

namespace zv {
namespace {

INFO_TAB Table(uint16_t writePointer, uint8_t memoryStart, uint8_t status) {
  INFO_TAB tab;
  tab.SetWritePointer(writePointer);
  tab.SetMemoryStart(memoryStart);
  tab.SetStatusCode(status);
  return tab;
}

TEST(ReadingOffered, EmptyLoggerOnlyWhenItsStatusSaysDataMayBeThere) {
  for (uint8_t status = 0; status <= 10; ++status) {
    SCOPED_TRACE(static_cast<int>(status));
    const bool offered = status == 5 || status == 8 || status == 9;
    EXPECT_EQ(ReadingOffered(Table(0x0010, 0x10, status)), offered);
    EXPECT_EQ(ReadingOffered(Table(0x0000, 0x00, status)), offered);
  }
}

TEST(ReadingOffered, AnyRecordedByteOffersReading) {
  const struct {
    uint16_t writePointer;
    uint8_t memoryStart;
  } cases[] = {{0x0110, 0x10}, {0x0011, 0x10}, {0x000F, 0x10}, {0xFF10, 0x10}, {0x0100, 0x00}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.writePointer);
    for (uint8_t status : {0, 4, 6, 7})
      EXPECT_TRUE(ReadingOffered(Table(c.writePointer, c.memoryStart, status)));
  }
}

}  // namespace
}  // namespace zv
