#include "app/info_panel.h"

#include "base/text1250.h"
#include "samples/field_labels.h"

namespace zv {

namespace {

// Labels the export does not write; the others are the export's fields, drawn in part.
constexpr auto kIdentifierLabel = Cp1250(u8"Logger_ID:");

// The left column's rows: a label and its value beside it.
constexpr int16_t kValueX = 115;
constexpr int16_t kIdentifierY = 80;
constexpr int16_t kBatteryY = 100;
constexpr int16_t kCountY = 120;
constexpr int16_t kStatusY = 140;
// The right column labels the configuration's controls beside them.
constexpr int16_t kRightLabelX = 280;

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

// Right-aligned, more or less, against the values.
constexpr Label kLeftLabels[] = {
    At(kLoggerIdField, 9, 40, kIdentifierY),
    At(kBatteryLabel, 32, kBatteryY),
    At(kCountField, 13, 17, kCountY),
    At(kStatusField, 6, 51, kStatusY),
};

constexpr Label kRightLabels[] = {
    At(kStartField, 6, kRightLabelX, 29),      At(kIntervalField, 10, kRightLabelX, 73),
    At(kDurationField, 13, kRightLabelX, 117), At(kSourceField, 7, kRightLabelX, 161),
    At(kIdentifierLabel, kRightLabelX, 205),   At(kSignalLabel, 305, 247),  // beside its tick box
};

// A value field is drawn up to its NUL, never past the field.
template <std::size_t N>
uint8_t FieldLength(const char (&field)[N]) {
  uint8_t n = 0;
  while (n < N && field[n] != '\0') ++n;
  return n;
}

// Texts of the logger's code page, each cell's top-left corner where the window puts it.
class PanelDraw {
 public:
  explicit PanelDraw(PictureSink& sink) : draw_(sink) {}

  void Text(const ScreenFont& font, const char* text, uint8_t length, int16_t x, int16_t y,
            uint32_t color = kBlack) {
    CellText(draw_, font, x, y, std::string_view(text, length), color, TextSource::Cp1250);
  }
  void Text(const ScreenFont& font, const Label& label) {
    Text(font, label.text, label.length, label.x, label.y);
  }

 private:
  PictureDraw draw_;
};

}  // namespace

void BuildInfoPanel(const LoggerInfo& info, PictureSink& out) {
  const InfoTexts& texts = info.texts;
  out.Begin(PictureHeader{});
  PanelDraw w(out);

  for (const Label& label : kLeftLabels) w.Text(kPanelArial, label);
  w.Text(kPanelArial, texts.identifier, FieldLength(texts.identifier), kValueX, kIdentifierY);
  w.Text(kPanelArial, texts.count, FieldLength(texts.count), kValueX, kCountY);
  w.Text(kPanelArial, texts.status, FieldLength(texts.status), kValueX, kStatusY);
  const bool low = (info.tab.Flags() & kFlagBatteryLow) != 0;
  w.Text(kPanelArial, texts.battery, FieldLength(texts.battery), kValueX, kBatteryY,
         low ? kPanelBatteryWarning : kBlack);

  for (const Label& label : kRightLabels) w.Text(kPanelTahoma, label);
}

}  // namespace zv
