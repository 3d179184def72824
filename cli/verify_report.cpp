#include "cli/verify_report.h"

#include <algorithm>
#include <memory>
#include <string>

#include "cli/archive_source.h"
#include "cli/exit_codes.h"
#include "cli/pdf_text.h"
#include "cli/report_remake.h"
#include "report/logger_facts.h"
#include "report/report_request_json.h"
#include "samples/export_file.h"
#include "samples/export_header.h"

namespace zv::cli {

namespace {

using archive::ArchiveStatus;
using nlohmann::json;

// The original as `archive report` loads it: the samples and the logger as a report describes
// it (printing why not). A report made from an export of a download described the logger as
// that export's header does (it holds no battery state), so it is described so again.
bool LoadOriginal(const ArchiveChoice& choice, int64_t id, const ReportRequest& request,
                  Recording& original) {
  if (LoadKeptRecording("verify", choice, id, original) != kExitOk) return false;
  if (request.sourceKind == SourceKind::ExportFile &&
      original.identity.origin == KeptOrigin::Downloaded) {
    StringSink exported;
    WriteExportFile(*original.samples, original.info, exported);
    original.logger = LoggerFactsFromExport(
        ReadExportHeader(exported.text.data(), exported.text.size()), original.channelMode);
  }
  return true;
}

// The recording a report names by its SHA-256; outcome.note says why none was found.
ArchiveStatus FindNamed(archive::ArchiveStore& store, const json& recording,
                        archive::Recording& found, VerifyOutcome& outcome) {
  const json* sha =
      recording.is_object() && recording.contains("sha256") ? &recording["sha256"] : nullptr;
  archive::Sha256Digest digest{};
  if (sha == nullptr || !sha->is_string() ||
      !archive::DigestFromHex(sha->get<std::string>(), digest)) {
    outcome.note =
        "the report names no recording (made without an archive, or by an older program)";
    return {};
  }
  int64_t id = 0;
  if (const ArchiveStatus status = store.FindRecording(digest, id); !status.ok()) return status;
  if (id == 0) {
    outcome.note = "the archive holds no recording of SHA-256 " + archive::HexOf(digest);
    return {};
  }
  if (const ArchiveStatus status = store.LoadRecording(id, found); !status.ok()) return status;
  outcome.recordingId = found.id;
  outcome.recordingSha256 = found.sha256;
  return {};
}

// A short text of a JSON value for a message; "absent" for a member one side lacks.
std::string Shown(const json* value) {
  if (value == nullptr) return "absent";
  return value->is_string() ? value->get<std::string>()
                            : value->dump(-1, ' ', false, json::error_handler_t::replace);
}

void CompareJson(const json* file, const json* original, const std::string& path,
                 VerifyOutcome& outcome) {
  if (file != nullptr && original != nullptr && file->is_object() && original->is_object()) {
    for (const auto& [key, value] : file->items()) {
      const auto other = original->find(key);
      CompareJson(&value, other == original->end() ? nullptr : &*other, path + "/" + key, outcome);
    }
    for (const auto& [key, value] : original->items()) {
      if (!file->contains(key)) CompareJson(nullptr, &value, path + "/" + key, outcome);
    }
    return;
  }
  if (file != nullptr && original != nullptr && file->is_array() && original->is_array()) {
    for (std::size_t i = 0; i < std::max(file->size(), original->size()); ++i) {
      CompareJson(i < file->size() ? &(*file)[i] : nullptr,
                  i < original->size() ? &(*original)[i] : nullptr, path + "/" + std::to_string(i),
                  outcome);
    }
    return;
  }
  const bool same = file != nullptr && original != nullptr && *file == *original;
  if (!same) outcome.Add(path.empty() ? "/" : path, Shown(file), Shown(original));
}

}  // namespace

bool IsReportJson(const json& document) {
  return document.is_object() && document.contains("title") && document.contains("channels") &&
         document.contains("recording");
}

ArchiveStatus VerifyReportJson(archive::ArchiveStore& store, const ArchiveChoice& choice,
                               const json& document, VerifyOutcome& outcome) {
  outcome.kind = VerifiedKind::ReportJson;
  outcome.result = VerifyResult::NotFound;
  archive::Recording recording;
  if (const ArchiveStatus status = FindNamed(store, document["recording"], recording, outcome);
      !status.ok() || outcome.recordingId == 0) {
    return status;
  }
  Recording original;
  ReportRequest request;
  std::string why;
  if (!ReportRequestFromJson(document, request, why)) {
    outcome.note = "the report's request does not read back: " + why;
    outcome.result = VerifyResult::Differs;
    return {};
  }
  if (!LoadOriginal(choice, recording.id, request, original)) {
    outcome.note = "the original does not read back";
    outcome.result = VerifyResult::Differs;
    return {};
  }
  StringSink again;
  WriteReport(GatherReportFacts(*original.samples, original.logger, request), ReportFormat::Json,
              again);
  const json regenerated = json::parse(again.text, nullptr, false);
  CompareJson(&document, &regenerated, "", outcome);
  outcome.result = outcome.differences.empty() ? VerifyResult::Matches : VerifyResult::Differs;
  return {};
}

bool IsPdf(std::span<const uint8_t> file) {
  static constexpr char kMagic[] = "%PDF-";
  return file.size() >= 5 && std::equal(kMagic, kMagic + 5, file.begin());
}

ArchiveStatus VerifyReportPdf(archive::ArchiveStore& store, const ArchiveChoice& choice,
                              std::span<const uint8_t> file, VerifyOutcome& outcome,
                              std::string& problem) {
  outcome.kind = VerifiedKind::ReportPdf;
  outcome.result = VerifyResult::NotFound;
  PdfText asFile;
  if (!ReadPdfText(file, asFile, problem)) return {};
  const json keywords = json::parse(asFile.keywords, nullptr, false);
  if (!keywords.is_object() || !keywords.contains("zorvant_report")) {
    outcome.note = "the PDF is not a report of this program (its metadata names no recording)";
    return {};
  }
  archive::Recording recording;
  const json named = keywords.contains("recording") ? keywords["recording"] : json();
  if (const ArchiveStatus status = FindNamed(store, named, recording, outcome);
      !status.ok() || outcome.recordingId == 0) {
    return status;
  }
  Recording original;
  ReportRequest request;
  if (!ReportRequestFromJson(keywords, request, problem)) {
    outcome.note = "the report's request does not read back: " + problem;
    problem.clear();
    outcome.result = VerifyResult::Differs;
    return {};
  }
  StringSink again;
  PdfText regenerated;
  std::string why;
  if (!LoadOriginal(choice, recording.id, request, original) ||
      !WriteReport(GatherReportFacts(*original.samples, original.logger, request),
                   ReportFormat::Pdf, again) ||
      !ReadPdfText(
          std::span(reinterpret_cast<const uint8_t*>(again.text.data()), again.text.size()),
          regenerated, why)) {
    outcome.note = "the report could not be made again from the original " + why;
    outcome.result = VerifyResult::Differs;
    return {};
  }
  ComparePdfLines(asFile, regenerated, outcome);
  outcome.result = outcome.differences.empty() ? VerifyResult::Matches : VerifyResult::Differs;
  return {};
}

}  // namespace zv::cli
