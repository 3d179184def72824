#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/info_panel.h"
#include "base/text1250.h"

namespace zv {
namespace {

// A text as drawn: its font, its cell's top-left corner, its colour and its words in UTF-8.
struct Expected {
  const ScreenFont* font;
  int x;
  int y;
  uint32_t color;
  std::string text;
};

void ExpectSteps(const PanelPicture& got, const std::vector<Expected>& want) {
  ASSERT_EQ(got.count, want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE("step " + std::to_string(i));
    const PictureStep& s = got.steps[i];
    ASSERT_EQ(s.kind, PictureStepKind::Text);
    EXPECT_TRUE(DrawsText(*want[i].font, s));
    EXPECT_EQ(s.x, want[i].x);
    EXPECT_EQ(s.y - want[i].font->baseline, want[i].y);
    EXPECT_EQ(s.color, want[i].color);
    EXPECT_EQ(s.Text(), want[i].text);
  }
}

const ScreenFont* const A = &kPanelArial;
const ScreenFont* const T = &kPanelTahoma;

std::vector<Expected> Panel(const char* id, const char* battery, const char* count,
                            const char* status, bool warning) {
  std::vector<Expected> steps = {
      {A, 40, 80, kBlack, "Logger_ID"},
      {A, 32, 100, kBlack, "Stan baterii"},
      {A, 17, 120, kBlack, "Liczba próbek"},
      {A, 51, 140, kBlack, "STATUS"},
      {A, 115, 80, kBlack, id},
      {A, 115, 120, kBlack, count},
      {A, 115, 140, kBlack, status},
      {A, 115, 100, warning ? kPanelBatteryWarning : kBlack, battery},
      {T, 280, 29, kBlack, "Start:"},
      {T, 280, 73, kBlack, "Pomiar co:"},
      {T, 280, 117, kBlack, "Zbieraj dane:"},
      {T, 280, 161, kBlack, "Źródło:"},
      {T, 280, 205, kBlack, "Logger_ID:"},
      {T, 305, 247, kBlack, "sygnalizuj pomiar"},
  };
  return steps;
}

LoggerInfo Connected(uint8_t flags) {
  LoggerInfo info;
  info.tab.SetFlags(flags);
  std::strcpy(info.texts.identifier, "KV2-0042");
  constexpr auto battery = Cp1250(u8"ROZŁADOWANA!");
  std::memcpy(info.texts.battery, battery.bytes, battery.length);
  std::strcpy(info.texts.count, "120 / 16384");
  constexpr auto status = Cp1250(u8"Pomiar zakończony  ");
  std::memcpy(info.texts.status, status.bytes, status.length);
  return info;
}

TEST(InfoPanel, DrawsLabelsValuesAndWarningColourOnlyForTheBattery) {
  const struct {
    uint8_t flags;
    bool warning;
  } cases[] = {{0x00, false}, {0x01, true}, {0xFE, false}, {0xFF, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.flags);
    const LoggerInfo info = Connected(c.flags);
    PanelPicture steps;
    BuildInfoPanel(info, steps);
    ExpectSteps(steps,
                Panel("KV2-0042", "ROZŁADOWANA!", "120 / 16384", "Pomiar zakończony  ", c.warning));
  }
}

TEST(InfoPanel, AfterTearDownValuesAreEmptyWhateverTheFlags) {
  LoggerInfo info = Connected(0x01);
  ClearInfoTexts(info.texts);
  PanelPicture steps;
  BuildInfoPanel(info, steps);
  ExpectSteps(steps, Panel("", "", "", "", true));
}

TEST(InfoPanel, AValueStopsAtItsFieldAndItsControlsShowAsQuestionMarks) {
  LoggerInfo info;
  std::memset(info.texts.identifier, 'A', sizeof info.texts.identifier);
  info.texts.status[0] = '\x1b';  // a logger's byte that would steer a terminal
  info.texts.status[1] = '\x81';  // unassigned in Windows-1250: a C1 control
  PanelPicture steps;
  BuildInfoPanel(info, steps);
  EXPECT_EQ(steps.steps[4].Text(), std::string(sizeof info.texts.identifier, 'A'));
  EXPECT_EQ(steps.steps[6].Text(), "??");
}

}  // namespace
}  // namespace zv
