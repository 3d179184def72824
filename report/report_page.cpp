#include "report/report_page.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "chart/overview.h"
#include "report/page_text.h"
#include "report/report_blocks.h"
#include "report/report_texts.h"
#include "report/report_title.h"
#include "report/report_values.h"
#include "report/text_width.h"

namespace zv {

namespace {

constexpr uint32_t kInk = kBlack;
constexpr uint32_t kHeadingInk = Rgb(0x10, 0x40, 0x70);
constexpr uint32_t kLabelInk = Rgb(0x55, 0x55, 0x55);  // a pair's label, beside its value
constexpr uint32_t kFooterInk = Rgb(0x44, 0x44, 0x44);
constexpr uint32_t kRuleInk = Rgb(0xB0, 0xB0, 0xB0);
constexpr uint32_t kGoodInk = Rgb(0x20, 0x70, 0x20);
constexpr uint32_t kBadInk = Rgb(0xC0, 0x10, 0x10);

// Points throughout.
constexpr float kTextSize = 9;
constexpr float kLineHeight = 11.5f;
constexpr float kHeadingSize = 11;
constexpr float kFooterSize = 7.5f;
constexpr float kTop = kReportMargin;
constexpr float kFooterTop = kReportPageHeight - 46;
constexpr float kBodyBottom = kFooterTop - 8;  // the body keeps this gap above the footer
constexpr float kLabelWidth = 175;             // of a row's label, before its cells
constexpr float kPairLabelWidth = 95;
constexpr float kCellGap = 8;
constexpr float kChartHeight = 290;
constexpr float kLeastChartHeight = 160;
constexpr float kChartTextSize = 7.5f;
constexpr float kSignatureHeight = 34;

// The lines of text: each a baseline this many times its size below the one before.
constexpr float kTitleLeading = 1.25f;
constexpr float kNoteLeading = 1.4f;
// Above a heading: its size and this much more.
constexpr float kHeadingLead = 1.6f;

// The rules: under the title, under a heading (its baseline's descent below), above the footer.
constexpr float kTitleRule = 1;
constexpr float kThinRule = 0.5f;
constexpr float kTitleRuleGap = 8;
constexpr float kHeadingRuleDrop = 3.5f;
// Small gaps: below a rule, between a block's parts, above a table's column heads, below the
// chart's heading.
constexpr float kRuleGap = 4;
constexpr float kPartGap = 4;
constexpr float kColumnHeadGap = 3;
constexpr float kChartGap = 6;
// Room a heading takes with its rule and the gap below it, when a part asks whether it fits.
constexpr float kHeadingRoom = kHeadingSize * kHeadingLead + kRuleGap;
// A part's lines are reckoned a point taller than they are, so that it never runs into the
// footer.
constexpr float kReckonedLine = kLineHeight + 1;

// The signature line: the label, then a line to sign on from just after it to short of the
// next field, a point below the baseline.
constexpr float kSignatureFields[] = {0.4f, 0.25f, 0.35f};  // of the content's width
constexpr float kSignatureLabelGap = 4;
constexpr float kSignatureLineEnd = 12;
constexpr float kSignatureLineDrop = 1;
constexpr float kSignatureRaise = 8;  // the baseline above the part's bottom

// The footer's three lines, below its rule: the program and the source; when the report was
// made and the page; the recording's hash and archive number.
constexpr float kFooterFirstLine = 10;
constexpr float kFooterSecondLine = 19;
constexpr float kFooterThirdLine = 28;

uint32_t InkOf(RowTone tone) {
  return tone == RowTone::Good ? kGoodInk : tone == RowTone::Bad ? kBadInk : kInk;
}

TextStyle Style(float size, TextWeight weight = TextWeight::Regular, uint32_t color = kInk,
                TextAnchor anchor = TextAnchor::Start) {
  TextStyle style;
  style.size = size;
  style.weight = weight;
  style.color = color;
  style.anchor = anchor;
  return style;
}

// The overview of the channels shown, with the limits, the interval and the start.
OverviewInputs OverviewOf(const ReportFacts& facts) {
  OverviewInputs in;
  in.samples = facts.samples;
  in.channelMode = facts.logger.channelMode;
  in.showA = in.showB = false;
  for (const ChannelFacts& c : facts.channels)
    (c.channel == Channel::A ? in.showA : in.showB) = true;
  in.limits = facts.request.limits;
  in.intervalSeconds = facts.logger.intervalSeconds.value_or(0);
  in.hasStart = facts.request.start.has_value();
  if (in.hasStart) in.start = *facts.request.start;
  in.startEstimated = facts.request.startEstimated;
  in.language = facts.request.language;
  return in;
}

// "strona 2 z 3": the footer's page number, right-aligned at `right`.
PictureStep PageNumberStep(const ReportTexts& texts, uint16_t page, uint16_t pages, float right,
                           float y) {
  const std::string text = std::string(texts.page) + " " + std::to_string(page) + " " +
                           texts.pageOf + " " + std::to_string(pages);
  TextStyle style = Style(kFooterSize, TextWeight::Regular, kFooterInk);
  return MakeTextStep(right - TextWidth(text, style.size, style.weight), y, text, style);
}

// "archiwum nr 12", when the recording has a number.
std::string ArchiveNumberText(const RecordingIdentity& recording, const ReportTexts& texts) {
  if (!recording.archiveId) return {};
  return std::string(texts.archiveNumber) + " " + std::to_string(*recording.archiveId);
}

// Where the report's readings came from, as the footer names it before the port or the file:
// an archived recording by its number alone; an imported one says so.
std::string SourceLabel(const ReportRequest& r, const ReportTexts& texts) {
  std::string label = r.sourceKind == SourceKind::Port ? texts.sourcePort
                      : r.sourceKind == SourceKind::ExportFile
                          ? texts.sourceFile
                          : ArchiveNumberText(r.recording, texts);
  if (label.empty()) label = r.source;
  if (r.recording.origin == KeptOrigin::Imported) label += std::string(" (") + texts.imported + ")";
  return label;
}

// "SHA-256 <64 hex digits> · archiwum nr 12": the recording, to be found again by either.
std::string RecordingLine(const ReportRequest& r, const ReportTexts& texts) {
  std::string line = "SHA-256 " + r.recording.sha256;
  const std::string number = ArchiveNumberText(r.recording, texts);
  if (!number.empty()) line += " · " + number;
  return line;
}

class ReportPages {
 public:
  ReportPages(const ReportFacts& facts, GrowingPicture& pages)
      : facts_(facts), texts_(ReportTextsFor(facts.request.language)), pages_(pages), draw_(pages) {
    PictureHeader header;
    header.width = kReportPageWidth;
    header.height = kReportPageHeight;
    header.unit = PictureUnit::Point;
    pages.Begin(header);
    StartPage();
  }

  void Title();
  void Block(const ReportBlock& block);
  void Chart();
  void Signature();
  // Writes every page's number again with the count of pages, now that it is known.
  void NumberPages();

 private:
  void StartPage();
  void Need(float height);
  void Heading(const std::string& text);
  void Pairs(const std::vector<ReportRow>& pairs);
  void Rows(const ReportBlock& block);
  void Notes(const ReportBlock& block);
  void Footer();
  void Text(float x, const std::string& text, const TextStyle& style, float width);

  const ReportFacts& facts_;
  const ReportTexts& texts_;
  GrowingPicture& pages_;
  PictureDraw draw_;
  uint16_t page_ = 0;
  float y_ = kTop;
  std::vector<std::size_t> pageNumbers_;  // the step of each page's number
};

void ReportPages::StartPage() {
  if (page_ != 0) draw_.NewPage();
  ++page_;
  draw_.Fill(0, 0, kReportPageWidth, kReportPageHeight, kWhite);
  Footer();
  y_ = kTop;
}

void ReportPages::Need(float height) {
  if (y_ + height > kBodyBottom && y_ > kTop) StartPage();
}

// A text cut to its column's width.
void ReportPages::Text(float x, const std::string& text, const TextStyle& style, float width) {
  DrawPageText(draw_, x, y_, FitStart(text, width, style.size, style.weight), style);
}

void ReportPages::Title() {
  const std::string title =
      facts_.request.title.empty() ? texts_.defaultTitle : facts_.request.title;
  std::vector<std::string> lines =
      WrapLines(title, kReportContentWidth, kTitleSize, TextWeight::Bold);
  if (lines.size() > kTitleLines) lines.resize(kTitleLines);
  for (const std::string& line : lines) {
    y_ += kTitleSize * kTitleLeading;
    DrawPageText(draw_, kReportMargin, y_, line, Style(kTitleSize, TextWeight::Bold));
  }
  y_ += kTitleRuleGap;
  draw_.Pen(kInk, kTitleRule, 0, 0, "title-rule");
  draw_.Line(kReportMargin, y_, kReportMargin + kReportContentWidth, y_);
  y_ += kRuleGap;
}

void ReportPages::Heading(const std::string& text) {
  y_ += kHeadingSize * kHeadingLead;
  Text(kReportMargin, text, Style(kHeadingSize, TextWeight::Bold, kHeadingInk),
       kReportContentWidth);
  draw_.Pen(kRuleInk, kThinRule, 0, 0, "heading-rule");
  const float rule = y_ + kHeadingRuleDrop;
  draw_.Line(kReportMargin, rule, kReportMargin + kReportContentWidth, rule);
  y_ += kRuleGap;
}

void ReportPages::Pairs(const std::vector<ReportRow>& pairs) {
  const float half = kReportContentWidth / 2;
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    if (i % 2 == 0) y_ += kLineHeight;
    const float x = kReportMargin + (i % 2) * half;
    const ReportRow& row = pairs[i];
    Text(x, row.label, Style(kTextSize, TextWeight::Regular, kLabelInk),
         kPairLabelWidth - kCellGap);
    const std::string& value = row.cells.empty() ? std::string() : row.cells[0];
    Text(x + kPairLabelWidth, value, Style(kTextSize, TextWeight::Bold),
         half - kPairLabelWidth - kCellGap);
  }
}

void ReportPages::Rows(const ReportBlock& block) {
  const std::size_t columns = std::max<std::size_t>(1, block.columnHeads.size());
  const float cellWidth = (kReportContentWidth - kLabelWidth) / static_cast<float>(columns);
  const auto cellX = [&](std::size_t i) { return kReportMargin + kLabelWidth + i * cellWidth; };
  if (!block.columnHeads.empty()) {
    y_ += kLineHeight + kColumnHeadGap;
    for (std::size_t i = 0; i < block.columnHeads.size(); ++i) {
      Text(cellX(i), block.columnHeads[i], Style(kTextSize, TextWeight::Bold, kHeadingInk),
           cellWidth - kCellGap);
    }
  }
  for (const ReportRow& row : block.rows) {
    y_ += kLineHeight;
    const TextWeight weight = row.bold ? TextWeight::Bold : TextWeight::Regular;
    Text(kReportMargin, row.label, Style(kTextSize, weight), kLabelWidth - kCellGap);
    for (std::size_t i = 0; i < row.cells.size() && i < columns; ++i) {
      const RowTone tone = i < row.tones.size() ? row.tones[i] : row.tone;
      Text(cellX(i), row.cells[i], Style(kTextSize, weight, InkOf(tone)), cellWidth - kCellGap);
    }
  }
}

void ReportPages::Notes(const ReportBlock& block) {
  const bool verdict = block.notesTone != RowTone::Plain;
  const float size = verdict ? kHeadingSize : kTextSize;
  const TextWeight weight = verdict ? TextWeight::Bold : TextWeight::Regular;
  if (!block.notes.empty() && !block.rows.empty()) y_ += kPartGap;
  for (const std::string& note : block.notes) {
    for (const std::string& line : WrapLines(note, kReportContentWidth, size, weight)) {
      y_ += size * kNoteLeading;
      DrawPageText(draw_, kReportMargin, y_, line, Style(size, weight, InkOf(block.notesTone)));
    }
  }
}

void ReportPages::Block(const ReportBlock& block) {
  const std::size_t lines = (block.pairs.size() + 1) / 2 + block.rows.size() +
                            (block.columnHeads.empty() ? 0 : 1) + 2 * block.notes.size();
  Need(kHeadingRoom + static_cast<float>(lines) * kReckonedLine);
  Heading(block.heading);
  Pairs(block.pairs);
  if (!block.pairs.empty() && !block.rows.empty()) y_ += kPartGap;
  Rows(block);
  Notes(block);
}

void ReportPages::Chart() {
  // The heading, its rule and the gap below it.
  const float heading = kHeadingRoom + kChartGap;
  if (kBodyBottom - y_ - heading - kSignatureHeight < kLeastChartHeight) StartPage();
  Heading(texts_.chartSection);
  y_ += kChartGap;
  OverviewFrame frame;
  frame.x = kReportMargin;
  frame.y = y_;
  frame.width = kReportContentWidth;
  frame.height = std::min(kChartHeight, kBodyBottom - y_ - kSignatureHeight);
  frame.fontSize = kChartTextSize;
  frame.pixels = false;
  BuildOverview(OverviewOf(facts_), frame, pages_);
  y_ += frame.height;
}

void ReportPages::Signature() {
  Need(kSignatureHeight);
  y_ += kSignatureHeight - kSignatureRaise;
  const char* labels[] = {texts_.checkedBy, texts_.date, texts_.signature};
  static_assert(std::size(labels) == std::size(kSignatureFields));
  float x = kReportMargin;
  draw_.Pen(kInk, kThinRule, 0, 0, "signature");
  for (std::size_t i = 0; i < std::size(labels); ++i) {
    const float width = kSignatureFields[i] * kReportContentWidth;
    const TextStyle style = Style(kTextSize);
    DrawPageText(draw_, x, y_, labels[i], style);
    const float start =
        x + TextWidth(labels[i], kTextSize, TextWeight::Regular) + kSignatureLabelGap;
    const float line = y_ + kSignatureLineDrop;
    draw_.Line(start, line, x + width - kSignatureLineEnd, line);
    x += width;
  }
}

void ReportPages::Footer() {
  const float left = kReportMargin;
  const float right = kReportMargin + kReportContentWidth;
  draw_.Pen(kRuleInk, kThinRule, 0, 0, "footer-rule");
  draw_.Line(left, kFooterTop, right, kFooterTop);
  const TextStyle style = Style(kFooterSize, TextWeight::Regular, kFooterInk);
  const ReportRequest& r = facts_.request;
  const float first = kFooterTop + kFooterFirstLine;
  const float second = kFooterTop + kFooterSecondLine;
  const std::string program =
      std::string(texts_.footerProgram) + " " + r.version + " · " + SourceLabel(r, texts_) + " ";
  const float programWidth = TextWidth(program, kFooterSize, TextWeight::Regular);
  DrawPageText(draw_, left, first, program, style);
  if (r.sourceKind != SourceKind::Archive) {
    DrawPageText(
        draw_, left + programWidth, first,
        FitEnd(r.source, kReportContentWidth - programWidth, kFooterSize, TextWeight::Regular),
        style);
  }
  DrawPageText(draw_, left, second,
               std::string(texts_.generated) + " " + ClockText(r.madeAtUtc, r.madeAtOffset), style);
  if (!r.recording.sha256.empty()) {
    DrawPageText(draw_, left, kFooterTop + kFooterThirdLine, RecordingLine(r, texts_), style);
  }
  // The count of pages is not known yet: a step to be written again, one short text.
  pageNumbers_.push_back(pages_.steps.size());
  pages_.Add(PageNumberStep(texts_, page_, page_, right, second));
}

void ReportPages::NumberPages() {
  const float right = kReportMargin + kReportContentWidth;
  for (std::size_t i = 0; i < pageNumbers_.size(); ++i) {
    PictureStep& step = pages_.steps[pageNumbers_[i]];
    step = PageNumberStep(texts_, static_cast<uint16_t>(i + 1), page_, right, step.y);
  }
  pages_.header.pages = page_;
}

}  // namespace

void BuildReportPages(const ReportFacts& facts, GrowingPicture& pages) {
  ReportPages report(facts, pages);
  report.Title();
  report.Block(LoggerBlock(facts));
  report.Block(RecordingBlock(facts));
  report.Block(StatisticsBlock(facts));
  report.Block(LimitsBlock(facts));
  report.Chart();
  report.Signature();
  report.NumberPages();
}

}  // namespace zv
