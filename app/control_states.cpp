#include "app/control_states.h"

#include "base/text1250.h"
#include "base/value_tables.h"

namespace zv {

namespace {
constexpr auto kConnectCaption = Cp1250(u8"Połącz");
constexpr auto kDisconnectCaption = Cp1250(u8"Rozłącz");

// An index the logger reports beyond its list leaves the list without a selection.
template <typename Table>
int SelectionFor(const Table& table, uint8_t index) {
  return table.Has(index) ? index : -1;
}
}  // namespace

bool ReadingOffered(const INFO_TAB& tab) {
  const uint8_t status = tab.StatusCode();
  return tab.WritePointer() != tab.MemoryStart() || status == kStatusSensorAFault ||
         status == kStatusPowerLost || status == kStatusSensorBFault;
}

void ShowConnectedState(Controls& controls, const LoggerInfo& info) {
  const INFO_TAB& tab = info.tab;
  controls.SetText(ID_LOGGER_ID, info.texts.identifier);
  controls.SetChecked(ID_SIGNAL, (tab.Flags() & kFlagSignalling) != 0);
  if (ReadingOffered(tab)) controls.SetEnabled(ID_READ, true);
  controls.SelectItem(ID_INTERVAL, SelectionFor(IntervalTexts, tab.IntervalIndex()));
  controls.SelectItem(ID_START_DELAY, SelectionFor(StartDelayTexts, tab.StartDelayIndex()));
  controls.SelectItem(ID_DURATION, SelectionFor(DurationTexts, tab.DurationIndex()));
  controls.SelectItem(ID_CHANNELS, (tab.Flags() & kFlagTwoChannels) ? 1 : 0);
  controls.SetText(ID_CONNECT, kDisconnectCaption.c_str());
  controls.ShowStateIcon(true);
  controls.SetEnabled(ID_SAVE_CONFIG, true);
  controls.RepaintPanel();
}

void ShowDisconnectedState(Controls& controls) {
  controls.SetEnabled(ID_PORT, true);
  controls.SetEnabled(ID_READ, false);
  controls.SetEnabled(ID_EXPORT, false);
  controls.SetEnabled(ID_CHART, false);
  controls.SetEnabled(ID_SAVE_CONFIG, false);
  controls.ShowStateIcon(false);
  controls.SetText(ID_CONNECT, kConnectCaption.c_str());
  controls.RepaintPanel();
  controls.SetText(ID_LOGGER_ID, "");
}

void ShowSamplesLoaded(Controls& controls) {
  controls.SetEnabled(ID_EXPORT, true);
  controls.SetEnabled(ID_CHART, true);
}

void LockPortChoice(Controls& controls) {
  controls.SetEnabled(ID_PORT, false);
}

const char* ChosenPortName(Controls& controls, const PortChoices& ports) {
  const int index = controls.SelectedItem(ID_PORT);
  return ports.OpenName(index >= 0 ? static_cast<std::size_t>(index) : 0);
}

ConfigurationChoice ReadConfigurationChoice(Controls& controls) {
  ConfigurationChoice choice;
  choice.startDelayIndex = controls.SelectedItem(ID_START_DELAY);
  choice.intervalIndex = controls.SelectedItem(ID_INTERVAL);
  choice.durationIndex = controls.SelectedItem(ID_DURATION);
  choice.channelsIndex = controls.SelectedItem(ID_CHANNELS) == 1 ? 1 : 0;
  choice.signal = controls.IsChecked(ID_SIGNAL);
  controls.GetText(ID_LOGGER_ID, choice.identifier, sizeof choice.identifier);
  return choice;
}

}  // namespace zv
