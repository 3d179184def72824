#include "samples/export_samples.h"

#include <cstring>

#include "samples/export_file.h"
#include "samples/export_messages.h"

namespace zv {

namespace {

bool IsForbidden(unsigned char c) {
  // Control characters cannot stand in a file name either, nor should they reach a message.
  return c < 0x20 || c == 0x7F || std::strchr("\\/:*?\"<>|", c) != nullptr;
}

void ShowRenamingNotice(ExportScreen& ui, const ExportName& name) {
  // The fixed text with at most the 13 characters the identifier field can hold.
  char notice[msg::kRenamedNotice.length + kLoggerIdSize];
  std::memcpy(notice, msg::kRenamedNotice.bytes, msg::kRenamedNotice.length);
  std::memcpy(notice + msg::kRenamedNotice.length, name.text, name.length);
  notice[msg::kRenamedNotice.length + name.length] = '\0';
  ui.ShowMessage(notice, MessageIcon::Information);
}

void ShowCannotSave(ExportScreen& ui) {
  ui.ShowMessage(msg::kCannotSave.c_str(), MessageIcon::Exclamation);
}

}  // namespace

ExportName DefaultExportName(const INFO_TAB& tab) {
  ExportName name;
  name.length = LoggerIdLength(tab);
  const uint8_t* id = tab.LoggerId();
  for (std::size_t i = 0; i < name.length; ++i) {
    const bool forbidden = IsForbidden(id[i]);
    name.text[i] = forbidden ? '_' : static_cast<char>(id[i]);
    name.renamed = name.renamed || forbidden;
  }
  name.text[name.length] = '\0';
  return name;
}

void ExportSamples(const LoggerInfo& info, const SampleBuffer& samples, ExportScreen& ui) {
  // The default name comes from the identifier; the user is told when it had to differ.
  const ExportName name = DefaultExportName(info.tab);
  if (name.renamed) ShowRenamingNotice(ui, name);

  // A dialog cancelled or failed ends the export silently: the user chose so.
  if (!ui.AskExportPath(name.text)) return;

  // The file: a temporary beside the target until it is complete.
  ExportFile* file = ui.CreateExportFile();
  if (file == nullptr) {
    ShowCannotSave(ui);
    return;
  }

  // The header and the readings, as the text export writes them.
  WriteExportFile(samples, info, *file);

  // Flushed, closed and moved over the target before the user is told it is saved; a
  // write or step that failed leaves no file behind and an earlier file as it was.
  if (!file->Commit()) {
    ShowCannotSave(ui);
    return;
  }
  ui.ShowMessage(msg::kSaved.c_str(), MessageIcon::Information);
}

}  // namespace zv
