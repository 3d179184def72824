#include "report/report_page.h"

#include <algorithm>
#include <string>

#include "chart/overview.h"
#include "report/page_text.h"
#include "report/report_blocks.h"
#include "report/report_texts.h"
#include "report/report_title.h"
#include "report/report_values.h"
#include "report/text_width.h"

namespace zv {

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kInk = 0x000000;
constexpr uint32_t kHeadingInk = 0x704010;  // #104070
constexpr uint32_t kRuleInk = 0xB0B0B0;
constexpr uint32_t kGoodInk = 0x207020;  // #207020
constexpr uint32_t kBadInk = 0x1010C0;   // #c01010

constexpr float kTextSize = 9;
constexpr float kLineHeight = 11.5f;
constexpr float kHeadingSize = 11;
constexpr float kFooterSize = 7.5f;
constexpr float kTop = kReportMargin;
constexpr float kFooterTop = kReportPageHeight - 40;
constexpr float kBodyBottom = kFooterTop - 8;
constexpr float kLabelWidth = 175;  // of a row's label, before its cells
constexpr float kPairLabelWidth = 95;
constexpr float kCellGap = 8;
constexpr float kChartHeight = 290;
constexpr float kLeastChartHeight = 160;
constexpr float kSignatureHeight = 34;
// Above a heading: its size and this much more.
constexpr float kHeadingLead = 1.6f;

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
  in.language = facts.request.language;
  return in;
}

// Counts the pages a build makes, keeping nothing.
class PageCounter final : public PictureSink {
 public:
  void Begin(const PictureHeader&) override { pages = 1; }
  void Add(const PictureStep& step) override { pages += step.kind == PictureStepKind::NewPage; }
  uint16_t pages = 1;
};

class ReportPages {
 public:
  ReportPages(const ReportFacts& facts, PictureSink& sink, uint16_t pages)
      : facts_(facts),
        texts_(ReportTextsFor(facts.request.language)),
        sink_(sink),
        draw_(sink),
        pages_(pages) {
    PictureHeader header;
    header.width = kReportPageWidth;
    header.height = kReportPageHeight;
    header.unit = PictureUnit::Point;
    header.pages = pages;
    sink.Begin(header);
    StartPage();
  }

  void Title();
  void Block(const ReportBlock& block);
  void Chart();
  void Signature();

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
  PictureSink& sink_;
  PictureDraw draw_;
  uint16_t pages_;
  uint16_t page_ = 0;
  float y_ = kTop;
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
    y_ += kTitleSize * 1.25f;
    DrawPageText(draw_, kReportMargin, y_, line, Style(kTitleSize, TextWeight::Bold));
  }
  y_ += 8;
  draw_.Pen(kInk, 1, 0, 0, "title-rule");
  draw_.Line(kReportMargin, y_, kReportMargin + kReportContentWidth, y_);
  y_ += 4;
}

void ReportPages::Heading(const std::string& text) {
  y_ += kHeadingSize * kHeadingLead;
  Text(kReportMargin, text, Style(kHeadingSize, TextWeight::Bold, kHeadingInk),
       kReportContentWidth);
  draw_.Pen(kRuleInk, 0.5f, 0, 0, "heading-rule");
  draw_.Line(kReportMargin, y_ + 3.5f, kReportMargin + kReportContentWidth, y_ + 3.5f);
  y_ += 4;
}

void ReportPages::Pairs(const std::vector<ReportRow>& pairs) {
  const float half = kReportContentWidth / 2;
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    if (i % 2 == 0) y_ += kLineHeight;
    const float x = kReportMargin + (i % 2) * half;
    const ReportRow& row = pairs[i];
    Text(x, row.label, Style(kTextSize, TextWeight::Regular, 0x555555), kPairLabelWidth - kCellGap);
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
    y_ += kLineHeight + 3;
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
  if (!block.notes.empty() && !block.rows.empty()) y_ += 4;
  for (const std::string& note : block.notes) {
    for (const std::string& line : WrapLines(note, kReportContentWidth, size, weight)) {
      y_ += size * 1.4f;
      DrawPageText(draw_, kReportMargin, y_, line, Style(size, weight, InkOf(block.notesTone)));
    }
  }
}

void ReportPages::Block(const ReportBlock& block) {
  const std::size_t lines = (block.pairs.size() + 1) / 2 + block.rows.size() +
                            (block.columnHeads.empty() ? 0 : 1) + 2 * block.notes.size();
  Need(kHeadingSize * kHeadingLead + 4 + static_cast<float>(lines) * (kLineHeight + 1));
  Heading(block.heading);
  Pairs(block.pairs);
  if (!block.pairs.empty() && !block.rows.empty()) y_ += 4;
  Rows(block);
  Notes(block);
}

void ReportPages::Chart() {
  // The heading, its rule and the gap below it.
  const float heading = kHeadingSize * kHeadingLead + 10;
  if (kBodyBottom - y_ - heading - kSignatureHeight < kLeastChartHeight) StartPage();
  Heading(texts_.chartSection);
  y_ += 6;
  OverviewFrame frame;
  frame.x = kReportMargin;
  frame.y = y_;
  frame.width = kReportContentWidth;
  frame.height = std::min(kChartHeight, kBodyBottom - y_ - kSignatureHeight);
  frame.fontSize = 7.5f;
  frame.pixels = false;
  BuildOverview(OverviewOf(facts_), frame, sink_);
  y_ += frame.height;
}

void ReportPages::Signature() {
  Need(kSignatureHeight);
  y_ += kSignatureHeight - 8;
  const char* labels[] = {texts_.checkedBy, texts_.date, texts_.signature};
  const float widths[] = {0.4f, 0.25f, 0.35f};
  float x = kReportMargin;
  draw_.Pen(kInk, 0.5f, 0, 0, "signature");
  for (int i = 0; i < 3; ++i) {
    const float width = widths[i] * kReportContentWidth;
    const TextStyle style = Style(kTextSize);
    DrawPageText(draw_, x, y_, labels[i], style);
    const float start = x + TextWidth(labels[i], kTextSize, TextWeight::Regular) + 4;
    draw_.Line(start, y_ + 1, x + width - 12, y_ + 1);
    x += width;
  }
}

void ReportPages::Footer() {
  const float left = kReportMargin;
  const float right = kReportMargin + kReportContentWidth;
  draw_.Pen(kRuleInk, 0.5f, 0, 0, "footer-rule");
  draw_.Line(left, kFooterTop, right, kFooterTop);
  const TextStyle style = Style(kFooterSize, TextWeight::Regular, 0x444444);
  const ReportRequest& r = facts_.request;
  const std::string program =
      std::string(texts_.footerProgram) + " " + r.version + " · " +
      (r.sourceKind == SourceKind::Port ? texts_.sourcePort : texts_.sourceFile) + " ";
  const float programWidth = TextWidth(program, kFooterSize, TextWeight::Regular);
  DrawPageText(draw_, left, kFooterTop + 11, program, style);
  DrawPageText(
      draw_, left + programWidth, kFooterTop + 11,
      FitEnd(r.source, kReportContentWidth - programWidth, kFooterSize, TextWeight::Regular),
      style);
  DrawPageText(draw_, left, kFooterTop + 21,
               std::string(texts_.generated) + " " + ClockText(r.madeAtUtc, r.madeAtOffset), style);
  TextStyle pageStyle = style;
  pageStyle.anchor = TextAnchor::End;
  DrawPageText(draw_, right, kFooterTop + 21,
               std::string(texts_.page) + " " + std::to_string(page_) + " " + texts_.pageOf + " " +
                   std::to_string(pages_),
               pageStyle);
}

void Build(const ReportFacts& facts, PictureSink& sink, uint16_t pages) {
  ReportPages report(facts, sink, pages);
  report.Title();
  report.Block(LoggerBlock(facts));
  report.Block(RecordingBlock(facts));
  report.Block(StatisticsBlock(facts));
  report.Block(LimitsBlock(facts));
  report.Chart();
  report.Signature();
}

}  // namespace

void BuildReportPages(const ReportFacts& facts, PictureSink& sink) {
  PageCounter counter;
  Build(facts, counter, 1);
  Build(facts, sink, counter.pages);
}

}  // namespace zv
