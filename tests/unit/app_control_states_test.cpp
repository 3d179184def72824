// The main window's control states, the reading-offered rule, the port choice and the
// configuration record, over controls kept in maps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>

#include "app/control_states.h"
#include "base/text1250.h"

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

// The main window's controls as maps, starting in the start-up state.
struct FakeControls final : Controls {
  std::map<int, bool> enabled;
  std::map<int, std::string> text;
  std::map<int, bool> checked;
  std::map<int, int> selected;
  bool iconConnected = false;
  int repaints = 0;

  FakeControls() {
    for (int id : {ID_CONNECT, ID_PORT, ID_START_DELAY, ID_INTERVAL, ID_DURATION, ID_CHANNELS,
                   ID_ABOUT, ID_LOGGER_ID, ID_SIGNAL}) {
      enabled[id] = true;
    }
    for (int id : {ID_READ, ID_EXPORT, ID_CHART, ID_SAVE_CONFIG}) enabled[id] = false;
  }
  void SetEnabled(ControlId id, bool on) override { enabled[id] = on; }
  void SetText(ControlId id, const char* value) override { text[id] = value; }
  std::size_t GetText(ControlId id, char* out, std::size_t capacity) override {
    const std::size_t n = std::min(text[id].size(), capacity - 1);
    std::memcpy(out, text[id].data(), n);
    out[n] = '\0';
    return n;
  }
  void SetChecked(ControlId id, bool on) override { checked[id] = on; }
  bool IsChecked(ControlId id) override { return checked[id]; }
  void SelectItem(ControlId id, int index) override { selected[id] = index; }
  int SelectedItem(ControlId id) override { return selected.count(id) ? selected[id] : 0; }
  void ShowStateIcon(bool connected) override { iconConnected = connected; }
  void RepaintPanel() override { ++repaints; }

  std::set<int> Enabled() {
    std::set<int> on;
    for (const auto& [id, is] : enabled) {
      if (is) on.insert(id);
    }
    return on;
  }
};

// The window's own half (boxes and dialogs) is not under test here.
struct Screen final : MainScreen {
  using MainScreen::MainScreen;
  void ShowMessage(const char*, MessageIcon) override {}
  Answer Ask(Question) override { return Answer::Cancel; }
  DownloadOutcome RunDownloadWindow(uint16_t, Transfer&) override {
    return DownloadOutcome::NotStarted;
  }
};

LoggerInfo Logger(uint16_t writePointer, uint8_t status, uint8_t flags, uint8_t interval) {
  LoggerInfo info;
  info.tab = Table(writePointer, 0x20, status);
  info.tab.SetFlags(flags);
  info.tab.SetIntervalIndex(interval);
  info.tab.SetDurationIndex(9);
  std::strcpy(info.texts.identifier, "KVAR2");
  return info;
}

const std::set<int> kAlways = {ID_CONNECT,  ID_START_DELAY, ID_INTERVAL,  ID_DURATION,
                               ID_CHANNELS, ID_ABOUT,       ID_LOGGER_ID, ID_SIGNAL};

std::set<int> With(std::initializer_list<int> more) {
  std::set<int> all = kAlways;
  all.insert(more);
  return all;
}

TEST(ControlStates, ConnectedSamplesLoadedAndDisconnected) {
  const struct {
    const char* name;
    LoggerInfo info;
    std::set<int> connected;  // enabled after the connect
    int intervalItem;
    int channelsItem;
    bool tick;
  } cases[] = {
      {"recorded samples", Logger(0x0120, 4, 0x00, 5), With({ID_READ, ID_SAVE_CONFIG}), 5, 0,
       false},
      {"empty, status 4", Logger(0x0020, 4, 0x00, 5), With({ID_SAVE_CONFIG}), 5, 0, false},
      {"empty, status 9; two channels, signalling, interval beyond the list",
       Logger(0x0020, 9, 0xF3, 40), With({ID_READ, ID_SAVE_CONFIG}), -1, 1, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeControls controls;
    const PortChoices ports;
    Screen screen(controls, ports);
    screen.LockPortChoice();
    screen.ShowConnected(c.info);
    EXPECT_EQ(controls.Enabled(), c.connected);
    EXPECT_EQ(controls.text[ID_LOGGER_ID], "KVAR2");
    EXPECT_EQ(controls.text[ID_CONNECT], Cp1250(u8"Rozłącz").c_str());
    EXPECT_TRUE(controls.iconConnected);
    EXPECT_EQ(controls.selected[ID_INTERVAL], c.intervalItem);
    EXPECT_EQ(controls.selected[ID_DURATION], 9);
    EXPECT_EQ(controls.selected[ID_CHANNELS], c.channelsItem);
    EXPECT_EQ(controls.checked[ID_SIGNAL], c.tick);
    EXPECT_EQ(controls.repaints, 1);

    screen.ShowSamplesLoaded();
    std::set<int> loaded = c.connected;
    loaded.insert({ID_EXPORT, ID_CHART});
    EXPECT_EQ(controls.Enabled(), loaded);

    screen.ShowDisconnected();
    EXPECT_EQ(controls.Enabled(), With({ID_PORT}));
    EXPECT_EQ(controls.text[ID_CONNECT], Cp1250(u8"Połącz").c_str());
    EXPECT_FALSE(controls.iconConnected);
    EXPECT_EQ(controls.text[ID_LOGGER_ID], "");
    // Selections and the tick stay as the connect left them.
    EXPECT_EQ(controls.selected[ID_CHANNELS], c.channelsItem);
    EXPECT_EQ(controls.checked[ID_SIGNAL], c.tick);
  }
}

TEST(ControlStates, PortChoiceAndConfigurationRecord) {
  FakeControls controls;
  ComNumbers present;
  for (const char* name : {"COM12", "COM3", "COM7"}) present.AddName(name);
  PortChoices ports;
  ports.Build(present);
  Screen screen(controls, ports);
  // COM1..COM4 by their plain names, as always; the ports beyond them by their device names.
  const std::pair<int, std::string> cases[] = {{0, "COM1"},         {2, "COM3"}, {4, "\\\\.\\COM7"},
                                               {5, "\\\\.\\COM12"}, {6, "COM1"}, {-1, "COM1"}};
  for (const auto& [item, name] : cases) {
    controls.selected[ID_PORT] = item;
    EXPECT_EQ(screen.ChosenPortName(), name) << item;
  }
  controls.selected[ID_START_DELAY] = 7;
  controls.selected[ID_INTERVAL] = -1;
  controls.selected[ID_DURATION] = 2;
  controls.selected[ID_CHANNELS] = 1;
  controls.checked[ID_SIGNAL] = true;
  controls.text[ID_LOGGER_ID] = "ABCDEFGHIJKLMNOPQRST";  // 20 characters: the first 13 count
  const ConfigurationChoice choice = screen.ReadConfigurationChoice();
  EXPECT_EQ(choice.startDelayIndex, 7);
  EXPECT_EQ(choice.intervalIndex, -1);
  EXPECT_EQ(choice.durationIndex, 2);
  EXPECT_EQ(choice.channelsIndex, 1);
  EXPECT_TRUE(choice.signal);
  EXPECT_STREQ(choice.identifier, "ABCDEFGHIJKLM");
}

}  // namespace
}  // namespace zv
