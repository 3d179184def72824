#include "app/download_window_win32.h"

#include "base/wire.h"
#include "resources/resource_ids.h"

namespace zv {

namespace {

constexpr int kStepBytes = static_cast<int>(kBlockDataBytes);
// The dialog's end codes.
constexpr INT_PTR kEndSucceeded = 1;
constexpr INT_PTR kEndFailed = 0;
constexpr INT_PTR kEndNotStarted = 2;
// Starts the transfer when the timer cannot: posted, it too arrives once the window is shown.
constexpr UINT kStartMessage = WM_APP + 1;

struct DownloadRun {
  HINSTANCE instance;
  uint16_t range;
  Transfer& transfer;
  bool started;
};

// Advances the bar by one block and paints it at once: the transfer blocks the thread, so no
// queued paint would reach the bar before the end. The position stops at the range, where
// the control's own step would wrap to 0. A look at the queue (nothing taken from it, so no
// input reaches any window) answers the messages other programs send, and Windows does not
// mark the program as hung during a long download.
class BarStep final : public StepAction {
 public:
  BarStep(HWND bar, uint16_t range) : bar_(bar), range_(range) {}
  void Step() override {
    position_ = position_ + kStepBytes < range_ ? position_ + kStepBytes : range_;
    SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
    UpdateWindow(bar_);
    MSG ignored;
    PeekMessageW(&ignored, nullptr, 0, 0, PM_NOREMOVE);
  }

 private:
  HWND bar_;
  int range_;
  int position_ = 0;
};

void Initialise(HWND dialog, DownloadRun& run) {
  HWND bar = CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, 20, 30, 200, 20,
                             dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ID_PROGRESS)),
                             run.instance, nullptr);
  SendMessageW(bar, PBM_SETRANGE32, 0, run.range);
  SendMessageW(bar, PBM_SETSTEP, kStepBytes, 0);
  // The first tick arrives only once the window is on screen; it starts the transfer. Without
  // a timer a posted message does the same; without either the window ends as failed at once
  // rather than waiting for a close that the user would have to guess.
  if (SetTimer(dialog, ID_START_TIMER, 1, nullptr) != 0) return;
  if (!PostMessageW(dialog, kStartMessage, 0, 0)) EndDialog(dialog, kEndNotStarted);
}

void StartTransfer(HWND dialog, DownloadRun& run) {
  KillTimer(dialog, ID_START_TIMER);
  if (run.started) return;
  run.started = true;
  BarStep step(GetDlgItem(dialog, ID_PROGRESS), run.range);
  EndDialog(dialog, run.transfer.Run(step) ? kEndSucceeded : kEndFailed);
}

INT_PTR CALLBACK DownloadProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* run = reinterpret_cast<DownloadRun*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      Initialise(dialog, *reinterpret_cast<DownloadRun*>(lParam));
      return TRUE;
    case WM_TIMER:
      if (wParam != ID_START_TIMER || run == nullptr) return FALSE;
      StartTransfer(dialog, *run);
      return TRUE;
    case kStartMessage:
      if (run == nullptr) return FALSE;
      StartTransfer(dialog, *run);
      return TRUE;
    case WM_CLOSE:
      // Only while waiting; a close sent during the transfer (which answers sent messages)
      // is ignored, and the transfer's own end decides.
      if (run != nullptr && run->started) return TRUE;
      KillTimer(dialog, ID_START_TIMER);
      EndDialog(dialog, kEndNotStarted);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

DownloadOutcome RunDownloadWindow(HINSTANCE instance, HWND owner, uint16_t range,
                                  Transfer& transfer) {
  DownloadRun run{instance, range, transfer, false};
  const INT_PTR result = DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_DOWNLOAD), owner,
                                         DownloadProc, reinterpret_cast<LPARAM>(&run));
  if (result == kEndSucceeded) return DownloadOutcome::Succeeded;
  // -1: the window could not be opened at all.
  return result == kEndFailed ? DownloadOutcome::Failed : DownloadOutcome::NotStarted;
}

}  // namespace zv
