#include "app/window_ui.h"

#include "app/download_window.h"
#include "app/wide_text.h"

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
    case MessageIcon::Question:
      return MB_ICONQUESTION;
  }
  return 0;
}

UINT ButtonStyle(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
      return MB_OK;
    case MessageButtons::OkCancel:
      return MB_OKCANCEL;
    case MessageButtons::YesNoCancel:
      return MB_YESNOCANCEL;
  }
  return MB_OK;
}

}  // namespace

Answer WindowUi::ShowMessage(const char* text, MessageIcon icon, MessageButtons buttons) {
  const WideText<kMessageCapacity> wide(text);
  const int pressed = MessageBoxW(main_.window, wide.c_str(), L"Zorvant_2",
                                  ButtonStyle(buttons) | IconStyle(icon) | MB_DEFBUTTON1);
  switch (pressed) {
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

int WindowUi::RunDownloadWindow(uint16_t range, Transfer& transfer) {
  return zv::RunDownloadWindow(main_.instance, main_.window, range, transfer);
}

bool WindowUi::AskExportPath(const char* proposedName) {
  return AskSavePath(main_.window, proposedName, exportPath_);
}

ExportFile* WindowUi::CreateExportFile() {
  return exportFile_.Create(exportPath_) ? &exportFile_ : nullptr;
}

}  // namespace zv
