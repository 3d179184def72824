// A PDF's text as poppler reads it: the document's Keywords and each page's lines, so that a
// report can be compared with the same report made again, line by line.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "cli/verify_outcome.h"

namespace zv::cli {

struct PdfText {
  std::string keywords;                         // UTF-8
  std::vector<std::vector<std::string>> pages;  // each page's non-empty lines, UTF-8
};

// False, with why, when poppler cannot read the bytes as a PDF (or it is locked).
bool ReadPdfText(std::span<const uint8_t> pdf, PdfText& text, std::string& why);

// Each line of the file that is not the same line of the original, as "page 1, line 12".
void ComparePdfLines(const PdfText& file, const PdfText& original, VerifyOutcome& outcome);

}  // namespace zv::cli
