#include "app/control_states.h"

#include "link/text1250.h"
#include "link/value_tables.h"

namespace zv {

namespace {
constexpr auto kConnectCaption = Cp1250(u8"Połącz");
constexpr auto kDisconnectCaption = Cp1250(u8"Rozłącz");

// An index the logger reports beyond its list leaves the list without a selection.
template <typename Table>
int ListIndex(const Table& table, uint8_t index) {
  return table.Has(index) ? index : -1;
}
}  // namespace

bool ReadingOffered(const INFO_TAB& tab) {
  const uint8_t status = tab.StatusCode();
  return tab.WritePointer() != tab.MemoryStart() || status == 5 || status == 8 || status == 9;
}

void ShowConnectedState(UserInterface& ui, const LoggerInfo& info) {
  const INFO_TAB& tab = info.tab;
  ui.SetText(ID_LOGGER_ID, info.texts.identifier);
  ui.SetChecked(ID_SIGNAL, (tab.Flags() & kFlagSignalling) != 0);
  if (ReadingOffered(tab)) ui.SetEnabled(ID_READ, true);
  ui.SelectItem(ID_INTERVAL, ListIndex(IntervalTexts, tab.IntervalIndex()));
  ui.SelectItem(ID_START_DELAY, ListIndex(StartDelayTexts, tab.StartDelayIndex()));
  ui.SelectItem(ID_DURATION, ListIndex(DurationTexts, tab.DurationIndex()));
  ui.SelectItem(ID_CHANNELS, (tab.Flags() & kFlagTwoChannels) ? 1 : 0);
  ui.SetText(ID_CONNECT, kDisconnectCaption.c_str());
  ui.ShowStateIcon(true);
  ui.SetEnabled(ID_SAVE_CONFIG, true);
  ui.RepaintPanel();
}

void ShowDisconnectedState(UserInterface& ui) {
  ui.SetEnabled(ID_PORT, true);
  ui.SetEnabled(ID_READ, false);
  ui.SetEnabled(ID_EXPORT, false);
  ui.SetEnabled(ID_CHART, false);
  ui.SetEnabled(ID_SAVE_CONFIG, false);
  ui.ShowStateIcon(false);
  ui.SetText(ID_CONNECT, kConnectCaption.c_str());
  ui.RepaintPanel();
  ui.SetText(ID_LOGGER_ID, "");
}

void ShowSamplesLoaded(UserInterface& ui) {
  ui.SetEnabled(ID_EXPORT, true);
  ui.SetEnabled(ID_CHART, true);
}

}  // namespace zv
