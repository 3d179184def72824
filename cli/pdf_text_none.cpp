// A build without poppler: a PDF is not read, and verify says so.
#include "cli/pdf_text.h"

namespace zv::cli {

bool ReadPdfText(std::span<const uint8_t>, PdfText&, std::string& why) {
  why = "this build reads no PDF (verify the report's JSON, or use the Linux build)";
  return false;
}

void ComparePdfLines(const PdfText&, const PdfText&, VerifyOutcome&) {}

}  // namespace zv::cli
