// The chart's window procedure: it opens the window, asks the chart model what each scroll
// request and click means, and plays the model's drawing list onto the window.
#include "app/chart_window_win32.h"

#include "chart/chart_paint.h"
#include "chart/chart_view.h"
#include "picture/picture_gdi_win32.h"
#include "resources/resource_ids.h"

namespace zv {

namespace {

constexpr int kOuterWidth = 600;
constexpr int kOuterHeight = 435;
constexpr int kBoxSize = 13;

struct BoxPlace {
  int id;
  int x;
  int y;
};
constexpr BoxPlace kBoxes[] = {
    {ID_FINE_ROWS, 552, 14}, {ID_FINE_COLUMNS, 537, 0}, {ID_SHOW_A, 552, 40}, {ID_SHOW_B, 552, 54}};

// The chart's font and pens, created before the window opens and deleted after it ends, so
// that no way out of the dialog leaks them. One that cannot be created is left null, and the
// player draws with a stock object of the system instead, so the chart still draws.
class ChartTools {
 public:
  ChartTools() {
    font_ = {kChartFont, CreateScreenFont(kChartFont)};
    for (std::size_t i = 0; i < kChartPenCount; ++i) {
      pens_[i] = {kChartPens[i], CreateScreenPen(kChartPens[i])};
    }
  }
  ~ChartTools() {
    if (font_.handle != nullptr) DeleteObject(font_.handle);
    for (const GdiPen& pen : pens_) {
      if (pen.handle != nullptr) DeleteObject(pen.handle);
    }
  }
  ChartTools(const ChartTools&) = delete;
  ChartTools& operator=(const ChartTools&) = delete;

  GdiTools Tools() const { return {&font_, 1, pens_, kChartPenCount}; }

 private:
  GdiFont font_{};
  GdiPen pens_[kChartPenCount] = {};
};

// What the open window works with; it lives on ShowChart's stack until the window closes.
struct ChartRun {
  HINSTANCE instance;
  const SampleBuffer& samples;
  uint8_t channelMode;
  uint32_t sampleCount;
  uint32_t position;
  const ChartTools& tools;
};

// The drawing list, in static storage: a paint allocates nothing.
ChartPicture g_picture;

bool Checked(HWND chart, int id) {
  return IsDlgButtonChecked(chart, id) == BST_CHECKED;
}

void Check(HWND chart, int id, bool checked) {
  CheckDlgButton(chart, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void SetBarPosition(HWND chart, uint32_t position) {
  SCROLLINFO bar{};
  bar.cbSize = sizeof bar;
  bar.fMask = SIF_POS | SIF_DISABLENOSCROLL;
  bar.nPos = static_cast<int>(position);
  SetScrollInfo(chart, SB_HORZ, &bar, TRUE);
}

void CreateBoxes(HWND chart, const ChartRun& run) {
  for (const BoxPlace& box : kBoxes) {
    const DWORD disabled = box.id == ID_SHOW_A || box.id == ID_SHOW_B ? WS_DISABLED : 0;
    CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | disabled, box.x,
                    box.y, kBoxSize, kBoxSize, chart,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(box.id)), run.instance, nullptr);
  }
  Check(chart, ID_SHOW_A, true);
  const ChannelBoxes boxes = OpeningBoxes(run.channelMode);
  EnableWindow(GetDlgItem(chart, ID_SHOW_A), boxes.aEnabled);
  EnableWindow(GetDlgItem(chart, ID_SHOW_B), boxes.bEnabled);
  Check(chart, ID_SHOW_A, boxes.aChecked);
  Check(chart, ID_SHOW_B, boxes.bChecked);
}

void Open(HWND chart, ChartRun& run) {
  // The template centred the window at its small size; the enlarged one keeps that corner.
  SetWindowPos(chart, nullptr, 0, 0, kOuterWidth, kOuterHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);
  SCROLLINFO bar{};
  bar.cbSize = sizeof bar;
  bar.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  bar.nMax = static_cast<int>(run.sampleCount);
  bar.nPage = kChartPage;
  SetScrollInfo(chart, SB_HORZ, &bar, TRUE);
  CreateBoxes(chart, run);
  run.position = 0;
}

void Paint(HWND chart, const ChartRun& run) {
  ChartInputs in;
  in.samples = &run.samples;
  in.channelMode = run.channelMode;
  in.position = run.position;
  in.fineRows = Checked(chart, ID_FINE_ROWS);
  in.fineColumns = Checked(chart, ID_FINE_COLUMNS);
  in.showA = Checked(chart, ID_SHOW_A);
  in.showB = Checked(chart, ID_SHOW_B);
  BuildChart(in, g_picture);

  PAINTSTRUCT paint;
  HDC dc = BeginPaint(chart, &paint);
  // The player gives the context its own pen and font back, so ours can be deleted at closing.
  PlayPicture(dc, g_picture.View(), run.tools.Tools());
  EndPaint(chart, &paint);
}

ScrollRequest RequestOf(WORD code) {
  switch (code) {
    case SB_LINELEFT:
      return ScrollRequest::LineLeft;
    case SB_LINERIGHT:
      return ScrollRequest::LineRight;
    case SB_PAGELEFT:
      return ScrollRequest::PageLeft;
    case SB_PAGERIGHT:
      return ScrollRequest::PageRight;
    case SB_THUMBTRACK:
      return ScrollRequest::ThumbTrack;
    default:
      return ScrollRequest::Ignored;
  }
}

void OnScroll(HWND chart, ChartRun& run, WPARAM request) {
  const ScrollOutcome outcome =
      Scroll(run.position, run.sampleCount, RequestOf(LOWORD(request)), HIWORD(request));
  run.position = outcome.position;
  if (outcome.moveThumb) SetBarPosition(chart, run.position);
  if (outcome.repaint) InvalidateRect(chart, nullptr, TRUE);
}

// Any click, and the Enter and Esc keys, which arrive as clicks: the channel rule, a repaint.
void OnClick(HWND chart) {
  ChannelBoxes boxes;
  boxes.aChecked = Checked(chart, ID_SHOW_A);
  boxes.bChecked = Checked(chart, ID_SHOW_B);
  const ChannelBoxes after = ApplyChannelRule(boxes);
  if (after.aChecked != boxes.aChecked) Check(chart, ID_SHOW_A, after.aChecked);
  InvalidateRect(chart, nullptr, TRUE);
}

INT_PTR CALLBACK ChartProc(HWND chart, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* run = reinterpret_cast<ChartRun*>(GetWindowLongPtrW(chart, DWLP_USER));
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(chart, DWLP_USER, lParam);
    Open(chart, *reinterpret_cast<ChartRun*>(lParam));
    return TRUE;
  }
  if (run == nullptr) return FALSE;
  switch (message) {
    case WM_PAINT:
      Paint(chart, *run);
      return TRUE;
    case WM_HSCROLL:
      OnScroll(chart, *run, wParam);
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return FALSE;
      OnClick(chart);
      return TRUE;
    case WM_CLOSE:
      EndDialog(chart, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void ShowChart(HINSTANCE instance, HWND owner, const SampleBuffer& samples, uint8_t channelMode) {
  const ChartTools tools;
  ChartRun run{instance, samples, channelMode, ChartSampleCount(samples, channelMode), 0, tools};
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_CHART), owner, ChartProc,
                  reinterpret_cast<LPARAM>(&run));
}

}  // namespace zv
