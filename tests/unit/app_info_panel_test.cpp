#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/info_panel.h"
#include "base/text1250.h"

namespace zv {
namespace {

struct Expected {
  PanelStepKind kind;
  int x;  // Text: position; SelectFont: the font; TextColor: the colour
  int y;
  std::string text;  // UTF-8 for readability; the drawn bytes and their count must match it
};

std::string Utf8(const PanelStep& s) {
  char out[64];
  const std::size_t n = Cp1250ToUtf8(std::string_view(s.text, s.length), out, sizeof out);
  return std::string(out, n);
}

void ExpectSteps(const PanelSteps& got, const std::vector<Expected>& want) {
  ASSERT_EQ(got.count, want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE("step " + std::to_string(i));
    const PanelStep& s = got.steps[i];
    ASSERT_EQ(s.kind, want[i].kind);
    switch (s.kind) {
      case PanelStepKind::SelectFont:
        EXPECT_EQ(static_cast<int>(s.font), want[i].x);
        break;
      case PanelStepKind::TextColor:
        EXPECT_EQ(static_cast<int>(s.color), want[i].x);
        break;
      case PanelStepKind::Text:
        EXPECT_EQ(s.x, want[i].x);
        EXPECT_EQ(s.y, want[i].y);
        EXPECT_EQ(Utf8(s), want[i].text);
        break;
    }
  }
}

constexpr int kArial = static_cast<int>(PanelFont::Arial);
constexpr int kTahoma = static_cast<int>(PanelFont::Tahoma);
constexpr auto F = PanelStepKind::SelectFont;
constexpr auto C = PanelStepKind::TextColor;
constexpr auto T = PanelStepKind::Text;

std::vector<Expected> Panel(const char* id, const char* battery, const char* count,
                            const char* status, bool warning) {
  std::vector<Expected> steps = {
      {F, kArial, 0, ""},
      {C, 0, 0, ""},
      {T, 40, 80, "Logger_ID"},
      {T, 32, 100, "Stan baterii"},
      {T, 17, 120, "Liczba próbek"},
      {T, 51, 140, "STATUS"},
      {T, 115, 80, id},
      {T, 115, 120, count},
      {T, 115, 140, status},
  };
  if (warning) steps.push_back({C, 0x000FFF, 0, ""});
  steps.push_back({T, 115, 100, battery});
  const std::vector<Expected> right = {
      {F, kTahoma, 0, ""},
      {C, 0, 0, ""},
      {T, 280, 29, "Start:"},
      {T, 280, 73, "Pomiar co:"},
      {T, 280, 117, "Zbieraj dane:"},
      {T, 280, 161, "Źródło:"},
      {T, 280, 205, "Logger_ID:"},
      {T, 305, 247, "sygnalizuj pomiar"},
  };
  steps.insert(steps.end(), right.begin(), right.end());
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
    const LoggerInfo info = Connected(c.flags);  // the value steps point into it
    PanelSteps steps;
    BuildInfoPanel(info, steps);
    ExpectSteps(steps,
                Panel("KV2-0042", "ROZŁADOWANA!", "120 / 16384", "Pomiar zakończony  ", c.warning));
  }
}

TEST(InfoPanel, AfterTearDownValuesAreEmptyWhateverTheFlags) {
  LoggerInfo info = Connected(0x01);
  ClearInfoTexts(info.texts);
  PanelSteps steps;
  BuildInfoPanel(info, steps);
  ExpectSteps(steps, Panel("", "", "", "", true));
}

TEST(InfoPanel, ValueWithoutNulStopsAtItsField) {
  LoggerInfo info;
  std::memset(info.texts.identifier, 'A', sizeof info.texts.identifier);
  PanelSteps steps;
  BuildInfoPanel(info, steps);
  EXPECT_EQ(steps.steps[6].length, sizeof info.texts.identifier);
}

}  // namespace
}  // namespace zv
