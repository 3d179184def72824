#include "cli/verify_outcome.h"

namespace zv::cli {

const char* VerifiedKindName(VerifiedKind kind) {
  switch (kind) {
    case VerifiedKind::TextExport:
      return "text_export";
    case VerifiedKind::ReportJson:
      return "report_json";
    case VerifiedKind::ReportPdf:
      break;
  }
  return "report_pdf";
}

const char* VerifyResultName(VerifyResult result) {
  switch (result) {
    case VerifyResult::Matches:
      return "matches";
    case VerifyResult::Differs:
      return "differs";
    case VerifyResult::NotFound:
      break;
  }
  return "not_found";
}

void VerifyOutcome::Add(std::string where, std::string inFile, std::string inOriginal) {
  if (differences.size() < kMostListed) {
    differences.push_back({std::move(where), std::move(inFile), std::move(inOriginal)});
  } else {
    ++differencesLeftOut;
  }
}

}  // namespace zv::cli
