#include "report/report_page.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "report/logger_facts.h"
#include "report/report_blocks.h"
#include "report/text_width.h"

namespace zv {
namespace {

std::unique_ptr<SampleBuffer> Memory(const std::vector<int>& words) {
  auto samples = std::make_unique<SampleBuffer>();
  for (std::size_t i = 0; i < words.size(); ++i) {
    samples->bytes[2 * i] = static_cast<uint8_t>(words[i] & 0xFF);
    samples->bytes[2 * i + 1] = static_cast<uint8_t>((words[i] >> 8) & 0xFF);
  }
  samples->n = static_cast<uint32_t>(2 * words.size());
  return samples;
}

LoggerFacts TwoChannels(std::optional<uint32_t> interval) {
  LoggerFacts logger;
  logger.identifier = "Chłodnia 3";
  logger.channelMode = 2;
  logger.intervalSeconds = interval;
  return logger;
}

TEST(ReportFacts, ARecordOfNoReadingsIsNeverWithinItsLimits) {
  const auto none = Memory({});
  const auto within = Memory({4 * 16, 5 * 16});
  const auto beyond = Memory({4 * 16, 9 * 16});
  const struct {
    const SampleBuffer* samples;
    bool limits;
    Verdict verdict;
  } cases[] = {
      {none.get(), false, Verdict::NoLimits},
      {none.get(), true, Verdict::NoReadings},
      {within.get(), true, Verdict::Within},
      {beyond.get(), true, Verdict::Exceeded},  // channel B alone goes beyond
  };
  for (const auto& c : cases) {
    ReportRequest request;
    if (c.limits) request.limits.a = request.limits.b = {20000, 80000};
    const ReportFacts facts = GatherReportFacts(*c.samples, TwoChannels(60), request);
    EXPECT_EQ(OverallVerdict(facts), c.verdict);
  }
}

TEST(ReportFacts, SlotTimesAsFarAsTheIntervalAndTheStartGo) {
  const auto samples = Memory({16, 16, 32, 32});
  ReportRequest request;
  StartTime start;
  start.utc = 1798761600;  // 2027-01-01T00:00:00Z
  start.fixedOffset = 3600;
  const struct {
    std::optional<uint32_t> interval;
    bool start;
    std::optional<int64_t> elapsed;
    std::optional<int64_t> utc;
    std::optional<int64_t> span;
  } cases[] = {
      {std::nullopt, true, std::nullopt, std::nullopt, std::nullopt},
      {300, false, 300, std::nullopt, 300},
      {300, true, 300, 1798761900, 300},
  };
  for (const auto& c : cases) {
    request.start = c.start ? std::optional<StartTime>(start) : std::nullopt;
    const ReportFacts facts = GatherReportFacts(*samples, TwoChannels(c.interval), request);
    const SlotTime time = TimeOfSlot(facts, 1);
    EXPECT_EQ(time.slot, 1u);
    EXPECT_EQ(time.elapsed, c.elapsed);
    EXPECT_EQ(time.utc, c.utc);
    if (c.utc) {
      EXPECT_EQ(time.offset, 3600);
    }
    EXPECT_EQ(SpanSeconds(facts), c.span);
  }
}

TEST(ReportFacts, AnExportsHeaderIsShownAsItStandsAndNamedInEnglishWhereItIsARow) {
  ExportHeader header;
  header.identifier = "Ch\xb3odnia 3   ";  // Windows-1250 'ł'
  header.interval = "1,5 h ";
  header.startDelay = "Po 10min   ";
  header.status = "cokolwiek";
  header.count = "12 / 16384";
  const LoggerFacts logger = LoggerFactsFromExport(header, 1);
  EXPECT_EQ(logger.identifier, "Chłodnia 3");
  EXPECT_EQ(logger.intervalSeconds, 5400u);
  EXPECT_EQ(logger.battery, BatteryState::NotKnown);
  ReportRequest request;
  request.language = LabelLanguage::English;
  const auto samples = Memory({});
  const ReportBlock block = LoggerBlock(GatherReportFacts(*samples, logger, request));
  std::vector<std::string> values;
  for (const ReportRow& row : block.pairs) values.push_back(row.cells.at(0));
  EXPECT_EQ(values,
            (std::vector<std::string>{"Chłodnia 3", "channel A", "1.5 h", "After 10 min", "unknown",
                                      "cokolwiek", "not in the export file", "12 / 16384"}));
}

// The longest page there is: two title lines, a fridge and a freezer, every text at its
// widest. It takes two pages, and every text on either lies within its page.
TEST(ReportPage, EveryTextLiesWithinThePageWhateverItSays) {
  std::vector<int> words;
  for (int i = 0; i < 16384; ++i) words.push_back(i % 700 == 0 ? -2048 : 40 + i % 97);
  const auto samples = Memory(words);
  LoggerFacts logger = TwoChannels(18000);
  logger.identifier = "WWWWWWWWWWWWW";
  logger.status.text = "Błąd DS18B20(B)";
  ReportRequest request;
  request.limits = {{-101234, 81234}, {-251234, -181234}};  // a fridge and a freezer
  request.source = "/" + std::string(3000, 'W') + "/eksport.txt";
  request.title = std::string(40, 'W');
  for (const LabelLanguage language : {LabelLanguage::Polish, LabelLanguage::English}) {
    request.language = language;
    GrowingPicture page;
    BuildReportPages(GatherReportFacts(*samples, logger, request), page);
    EXPECT_EQ(page.header.unit, PictureUnit::Point);
    EXPECT_EQ(page.header.pages, 2);
    std::size_t texts = 0;
    int pages = 1;
    std::vector<std::string> pageNumbers;
    for (const PictureStep& s : page.steps) {
      pages += s.kind == PictureStepKind::NewPage;
      if (s.kind != PictureStepKind::Text) continue;
      const std::string text(s.Text());
      if (text.rfind("strona ", 0) == 0 || text.rfind("page ", 0) == 0) pageNumbers.push_back(text);
      ++texts;
      const float width = TextWidth(s.Text(), s.size, s.weight);
      const float left = s.anchor == TextAnchor::Start    ? s.x
                         : s.anchor == TextAnchor::Middle ? s.x - width / 2
                                                          : s.x - width;
      EXPECT_GE(left, kReportMargin - 0.5f) << s.Text();
      EXPECT_LE(left + width, kReportPageWidth - kReportMargin + 0.5f) << s.Text();
      EXPECT_GT(s.y, kReportMargin);
      EXPECT_LT(s.y, kReportPageHeight - 12);
    }
    EXPECT_GT(texts, 100u);
    EXPECT_EQ(pages, 2);
    const bool polish = language == LabelLanguage::Polish;
    EXPECT_EQ(pageNumbers, (std::vector<std::string>{polish ? "strona 1 z 2" : "page 1 of 2",
                                                     polish ? "strona 2 z 2" : "page 2 of 2"}));
  }
}

}  // namespace
}  // namespace zv
