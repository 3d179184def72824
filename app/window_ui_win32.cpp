#include "app/window_ui_win32.h"

#include "app/download_window_win32.h"
#include "app/wide_text_win32.h"
#include "link/messages.h"

namespace zv {

namespace {

// Long enough for every message the program shows, cut beyond that.
constexpr std::size_t kMessageCapacity = 512;

UINT IconStyle(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return MB_ICONASTERISK;
    case MessageIcon::Exclamation:
      return MB_ICONEXCLAMATION;
    case MessageIcon::Stop:
      return MB_ICONHAND;
  }
  return 0;
}

// Each question's text and buttons; every question box has the question icon and its first
// button as the default.
struct QuestionBox {
  const char* text;
  UINT buttons;
};

QuestionBox BoxFor(Question question) {
  switch (question) {
    case Question::EraseSamples:
      return {msg::kEraseSamples.c_str(), MB_YESNOCANCEL};
    case Question::MemoryFull:
      return {msg::kMemoryFull.c_str(), MB_OKCANCEL};
    case Question::ModeChange:
      return {msg::kModeChange.c_str(), MB_OKCANCEL};
  }
  return {"", MB_OKCANCEL};
}

int Box(HWND owner, const char* text, UINT style) {
  const WideText<kMessageCapacity> wide(text);
  return MessageBoxW(owner, wide.c_str(), L"Zorvant_2", style | MB_DEFBUTTON1);
}

}  // namespace

void WindowUi::ShowMessage(const char* text, MessageIcon icon) {
  Box(main_.window, text, MB_OK | IconStyle(icon));
}

Answer WindowUi::Ask(Question question) {
  const QuestionBox box = BoxFor(question);
  switch (Box(main_.window, box.text, box.buttons | MB_ICONQUESTION)) {
    case IDOK:
      return Answer::Ok;
    case IDYES:
      return Answer::Yes;
    case IDNO:
      return Answer::No;
    default:  // closing a question box counts as Cancel
      return Answer::Cancel;
  }
}

DownloadOutcome WindowUi::RunDownloadWindow(uint16_t range, Transfer& transfer) {
  return zv::RunDownloadWindow(main_.instance, main_.window, range, transfer);
}

bool WindowUi::AskExportPath(const char* proposedName) {
  return AskSavePath(main_.window, proposedName, exportPath_);
}

ExportFile* WindowUi::CreateExportFile() {
  return exportFile_.Create(exportPath_) ? &exportFile_ : nullptr;
}

}  // namespace zv
