#include "cli/pdf_text.h"

#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>

#include <algorithm>
#include <climits>
#include <memory>

namespace zv::cli {

namespace {

std::string Utf8Of(const poppler::ustring& text) {
  const poppler::byte_array bytes = text.to_utf8();
  return std::string(bytes.begin(), bytes.end());
}

// poppler's complaints about a damaged file would interleave with our own message.
void Quiet(const std::string&, void*) {}

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    // Columns come out as runs of spaces: one space between words reads the same line.
    std::string line;
    for (std::size_t i = start; i < end; ++i) {
      const bool space = text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\f';
      if (!space) {
        line += text[i];
      } else if (!line.empty() && line.back() != ' ') {
        line += ' ';
      }
    }
    if (!line.empty() && line.back() == ' ') line.pop_back();
    if (!line.empty()) lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

}  // namespace

bool ReadPdfText(std::span<const uint8_t> pdf, PdfText& text, std::string& why) {
  poppler::set_debug_error_function(Quiet, nullptr);
  if (pdf.size() > static_cast<std::size_t>(INT_MAX)) {
    why = "too large a PDF";
    return false;
  }
  const std::unique_ptr<poppler::document> document(poppler::document::load_from_raw_data(
      reinterpret_cast<const char*>(pdf.data()), static_cast<int>(pdf.size())));
  if (!document || document->is_locked()) {
    why = "not a PDF that can be read";
    return false;
  }
  text.keywords = Utf8Of(document->get_keywords());
  text.pages.clear();
  for (int i = 0; i < document->pages(); ++i) {
    const std::unique_ptr<poppler::page> page(document->create_page(i));
    text.pages.push_back(page ? LinesOf(Utf8Of(page->text())) : std::vector<std::string>{});
  }
  return true;
}

void ComparePdfLines(const PdfText& file, const PdfText& original, VerifyOutcome& outcome) {
  static const std::vector<std::string> kNoPage;
  const std::size_t pages = std::max(file.pages.size(), original.pages.size());
  for (std::size_t p = 0; p < pages; ++p) {
    const auto& a = p < file.pages.size() ? file.pages[p] : kNoPage;
    const auto& b = p < original.pages.size() ? original.pages[p] : kNoPage;
    for (std::size_t l = 0; l < std::max(a.size(), b.size()); ++l) {
      const std::string inFile = l < a.size() ? a[l] : "absent";
      const std::string inOriginal = l < b.size() ? b[l] : "absent";
      if (inFile != inOriginal) {
        outcome.Add("page " + std::to_string(p + 1) + ", line " + std::to_string(l + 1), inFile,
                    inOriginal);
      }
    }
  }
}

}  // namespace zv::cli
