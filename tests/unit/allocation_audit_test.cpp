// After start-up nothing is allocated on the heap: one run through every operation that talks
// to the logger or writes a file, against the in-process emulator, counted as a whole.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "app/info_panel.h"
#include "chart/chart_paint.h"
#include "emulator/logger_model.h"
#include "emulator/simulated_port.h"
#include "link/configuration_write.h"
#include "link/download.h"
#include "link/session.h"
#include "samples/export_samples.h"
#include "tests/support/stream_port.h"

namespace zv {
namespace {

// An export file in fixed storage that keeps only its size.
class SizeOnlyFile final : public ExportFile {
 public:
  void Put(const char*, std::size_t n) override { written += n; }
  bool Commit() override { return true; }
  std::size_t written = 0;
};

// Says yes to every question, chooses two channels and a new identifier, saves the export.
class AgreeingUi final : public UserInterface, public ExportScreen {
 public:
  void ShowMessage(const char*, MessageIcon) override { ++messages; }
  Answer Ask(Question question) override {
    ++messages;
    return question == Question::EraseSamples ? Answer::Yes : Answer::Ok;
  }
  DownloadOutcome RunDownloadWindow(uint16_t, Transfer& transfer) override {
    struct NoProgress final : StepAction {
      void Step() override {}
    } progress;
    return transfer.Run(progress) ? DownloadOutcome::Succeeded : DownloadOutcome::Failed;
  }
  ConfigurationChoice ReadConfigurationChoice() override {
    ConfigurationChoice choice;
    choice.intervalIndex = 3;
    choice.channelsIndex = 1;
    choice.signal = true;
    std::strcpy(choice.identifier, "AUDIT/1");
    return choice;
  }
  bool AskExportPath(const char*) override { return true; }
  ExportFile* CreateExportFile() override { return &file; }

  SizeOnlyFile file;
  int messages = 0;
};

class NullSink final : public ByteSink {
 public:
  void Put(const char*, std::size_t) override {}
};

TEST(AllocationAudit, ConnectDownloadExportChartWriteAllocateNothing) {
  emu::LoggerSetup setup;
  setup.paced = false;
  emu::LoggerModel model(setup);
  emu::SimulatedPort port(model);
  LoggerSession session(port);
  auto store = std::make_unique<SampleStore>();
  auto chart = std::make_unique<ChartPicture>();
  auto panel = std::make_unique<PanelPicture>();
  AgreeingUi ui;
  NullSink svg;

  long allocations = 0;
  ConfigurationResult written;
  {
    test::AllocationCounter counter;
    ASSERT_EQ(ConnectTo(session, ui, "COM1"), ConnectResult::Connected);
    BuildInfoPanel(session.info, *panel);
    ASSERT_TRUE(RunDownload(session, *store, ui));
    ExportSamples(session.info, store->loaded, ui);
    ChartInputs in;
    in.samples = &store->loaded;
    in.channelMode = session.info.channelMode;
    in.fineRows = in.fineColumns = true;
    BuildChart(in, *chart);
    WriteChartSvg(in, svg);
    written = WriteConfiguration(session, ui);
    allocations = counter.count();
  }
  EXPECT_EQ(allocations, 0);
  // The run did what it says: samples, a file, two pictures and a stored table.
  EXPECT_EQ(store->loaded.n, 256u);
  EXPECT_GT(ui.file.written, 256u / 2 * 7);
  EXPECT_GT(chart->count, 200u);
  EXPECT_EQ(panel->count, kPanelStepCapacity);
  EXPECT_EQ(written, ConfigurationResult::Saved);
  EXPECT_EQ(model.TableWrites(), 1u);
  EXPECT_EQ(model.Table().IntervalIndex(), 3);
  EXPECT_FALSE(session.connected);
}

}  // namespace
}  // namespace zv
