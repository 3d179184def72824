#include "app/info_panel.h"

#include "base/text1250.h"
#include "samples/field_labels.h"

namespace zv {

namespace {

// Labels the export does not write; the others are the export's fields, drawn in part.
constexpr auto kIdentifierLabel = Cp1250(u8"Logger_ID:");

constexpr int16_t kValueX = 115;

struct Label {
  const char* text;
  uint8_t length;
  int16_t x;
  int16_t y;
};

template <std::size_t N>
constexpr Label At(const Text1250<N>& text, int16_t x, int16_t y) {
  return {text.bytes, static_cast<uint8_t>(text.length), x, y};
}

// The first `length` characters of a label field.
template <std::size_t N>
constexpr Label At(const Text1250<N>& field, uint8_t length, int16_t x, int16_t y) {
  return {field.bytes, length, x, y};
}

constexpr Label kLeftLabels[] = {
    At(kLoggerIdField, 9, 40, 80),
    At(kBatteryLabel, 32, 100),
    At(kCountField, 13, 17, 120),
    At(kStatusField, 6, 51, 140),
};

constexpr Label kRightLabels[] = {
    At(kStartField, 6, 280, 29),      At(kIntervalField, 10, 280, 73),
    At(kDurationField, 13, 280, 117), At(kSourceField, 7, 280, 161),
    At(kIdentifierLabel, 280, 205),   At(kSignalLabel, 305, 247),
};

// A value field is drawn up to its NUL, never past the field.
template <std::size_t N>
uint8_t FieldLength(const char (&field)[N]) {
  uint8_t n = 0;
  while (n < N && field[n] != '\0') ++n;
  return n;
}

class StepWriter {
 public:
  explicit StepWriter(PanelSteps& out) : out_(out) { out_.count = 0; }

  void Font(PanelFont font) {
    PanelStep& s = Next();
    s.kind = PanelStepKind::SelectFont;
    s.font = font;
  }
  void Color(uint32_t color) {
    PanelStep& s = Next();
    s.kind = PanelStepKind::TextColor;
    s.color = color;
  }
  void Text(const char* text, uint8_t length, int16_t x, int16_t y) {
    PanelStep& s = Next();
    s.kind = PanelStepKind::Text;
    s.text = text;
    s.length = length;
    s.x = x;
    s.y = y;
  }
  void Text(const Label& label) { Text(label.text, label.length, label.x, label.y); }

 private:
  PanelStep& Next() {
    // The capacity covers the fixed sequence below; the last slot is reused rather than overrun.
    const std::size_t i = out_.count < kPanelStepCapacity ? out_.count++ : kPanelStepCapacity - 1;
    out_.steps[i] = PanelStep{};
    return out_.steps[i];
  }
  PanelSteps& out_;
};

}  // namespace

void BuildInfoPanel(const LoggerInfo& info, PanelSteps& out) {
  const InfoTexts& texts = info.texts;
  StepWriter w(out);

  w.Font(PanelFont::Arial);
  w.Color(kPanelBlack);
  for (const Label& label : kLeftLabels) w.Text(label);

  w.Text(texts.identifier, FieldLength(texts.identifier), kValueX, 80);
  w.Text(texts.count, FieldLength(texts.count), kValueX, 120);
  w.Text(texts.status, FieldLength(texts.status), kValueX, 140);
  if (info.tab.Flags() & kFlagBatteryLow) w.Color(kPanelBatteryWarning);
  w.Text(texts.battery, FieldLength(texts.battery), kValueX, 100);

  w.Font(PanelFont::Tahoma);
  w.Color(kPanelBlack);
  for (const Label& label : kRightLabels) w.Text(label);
}

}  // namespace zv
