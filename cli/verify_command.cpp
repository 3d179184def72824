#include "cli/verify_command.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <span>
#include <vector>

#include "archive/event_drafts.h"
#include "archive/keep.h"
#include "base/safe_text.h"
#include "cli/archive_access.h"
#include "cli/exit_codes.h"
#include "cli/verify_export.h"
#include "cli/verify_report.h"

namespace zv::cli {

namespace {

using archive::ArchiveStatus;
using nlohmann::json;

// Larger than any export (32 KiB of memory) or report this program writes.
constexpr std::size_t kLargestFile = 64u << 20;

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<uint64_t>(size) > kLargestFile) return false;
  in.seekg(0);
  bytes.resize(static_cast<std::size_t>(size));
  return static_cast<bool>(in.read(reinterpret_cast<char*>(bytes.data()), size));
}

int Refuse(const std::string& path, const std::string& why) {
  std::fprintf(stderr, "zorvant-cli verify: %s: %s\n", Echoed(path).c_str(), Echoed(why).c_str());
  return kExitBadExport;
}

json OutcomeJson(const std::string& path, const VerifyOutcome& outcome) {
  json differences = json::array();
  for (const Difference& d : outcome.differences) {
    differences.push_back(
        {{"where", d.where}, {"in_file", d.inFile}, {"in_original", d.inOriginal}});
  }
  json recording = nullptr;
  if (outcome.recordingId != 0) {
    recording = {{"archive_id", outcome.recordingId},
                 {"sha256", archive::HexOf(outcome.recordingSha256)}};
  }
  return {{"file", path},
          {"file_kind", VerifiedKindName(outcome.kind)},
          {"result", VerifyResultName(outcome.result)},
          {"recording", recording},
          {"note", outcome.note},
          {"differences", differences},
          {"differences_left_out", outcome.differencesLeftOut}};
}

void PrintText(const std::string& path, const VerifyOutcome& outcome) {
  const char* kind = outcome.kind == VerifiedKind::TextExport   ? "text export"
                     : outcome.kind == VerifiedKind::ReportJson ? "report (JSON)"
                                                                : "report (PDF)";
  std::printf("%s: %s\n", Echoed(path).c_str(), kind);
  switch (outcome.result) {
    case VerifyResult::Matches:
      std::printf("matches recording %lld of the archive (SHA-256 %s)\n",
                  static_cast<long long>(outcome.recordingId),
                  archive::HexOf(outcome.recordingSha256).c_str());
      break;
    case VerifyResult::Differs:
      std::printf("DIFFERS from recording %lld of the archive (SHA-256 %s) in %zu place(s):\n",
                  static_cast<long long>(outcome.recordingId),
                  archive::HexOf(outcome.recordingSha256).c_str(), outcome.DifferenceCount());
      break;
    case VerifyResult::NotFound:
      std::printf("NOT FOUND in the archive\n");
      break;
  }
  for (const Difference& d : outcome.differences) {
    std::printf("  %s: %s in the file, %s in the original\n", Echoed(d.where).c_str(),
                Echoed(d.inFile).c_str(), Echoed(d.inOriginal).c_str());
  }
  if (outcome.differencesLeftOut != 0) {
    std::printf("  and %zu more\n", outcome.differencesLeftOut);
  }
  if (!outcome.note.empty()) std::printf("%s\n", Echoed(outcome.note).c_str());
}

// The check joins the trail when the archive can be written; a failure to record it is said
// on stderr and leaves the result's own code.
void RecordCheck(const VerifyOptions& options, std::span<const uint8_t> file,
                 const VerifyOutcome& outcome) {
  archive::Sha256Digest fileSha256{};
  std::unique_ptr<archive::ArchiveStore> store;
  if (!archive::Sha256Of(file, fileSha256) ||
      !OpenChosenArchive("verify", options.archive, archive::OpenMode::ReadWrite, store)) {
    std::fputs("zorvant-cli verify: the check was not recorded in the archive\n", stderr);
    return;
  }
  std::optional<archive::Sha256Digest> original;
  if (outcome.recordingId != 0) original = outcome.recordingSha256;
  const ArchiveStatus recorded =
      archive::RecordEvent(*store,
                           archive::FileVerifyDraft(options.file, VerifiedKindName(outcome.kind),
                                                    fileSha256, VerifyResultName(outcome.result),
                                                    outcome.DifferenceCount(), original),
                           archive::AttributionNow());
  if (!recorded.ok()) PrintArchiveFailure("verify", recorded);
}

// Tells the file's kind by its content and checks it; kExitOk when `outcome` was filled.
int Check(const VerifyOptions& options, std::span<const uint8_t> file, VerifyOutcome& outcome) {
  std::unique_ptr<archive::ArchiveStore> store;
  const auto open = [&] {
    return OpenChosenArchive("verify", options.archive, archive::OpenMode::ReadOnly, store);
  };
  ArchiveStatus status;
  std::string problem;
  if (IsPdf(file)) {
    if (!open()) return kExitArchiveUnreadable;
    status = VerifyReportPdf(*store, options.archive, file, outcome, problem);
    if (status.ok() && !problem.empty()) return Refuse(options.file, problem);
  } else if (const json document = json::parse(file.begin(), file.end(), nullptr, false);
             !document.is_discarded()) {
    if (!IsReportJson(document)) return Refuse(options.file, "JSON, but not a report's");
    if (!open()) return kExitArchiveUnreadable;
    status = VerifyReportJson(*store, options.archive, document, outcome);
  } else if (IsTextExport(file, problem)) {
    if (!problem.empty())
      return Refuse(options.file, "an export whose readings do not read: " + problem);
    if (!open()) return kExitArchiveUnreadable;
    status = VerifyTextExport(*store, file, outcome);
  } else {
    return Refuse(options.file, "none of a text export, a report's JSON or a report's PDF");
  }
  if (!status.ok()) {
    PrintArchiveFailure("verify", status);
    return kExitArchiveUnreadable;
  }
  return kExitOk;
}

}  // namespace

CLI::App* AddVerifyCommand(CLI::App& app, VerifyOptions& options) {
  auto* verify = app.add_subcommand(
      "verify",
      "Check a text export, a report's JSON or a report's PDF against the original the archive "
      "kept: the export found by its readings (else the closest recording of its logger), a "
      "report by the recording's SHA-256 it carries and made again from the original; says "
      "whether it matches, or names every reading, header value, JSON member or page line that "
      "differs");
  verify->add_option("FILE", options.file, "The file to check (told by its content)")->required();
  AddArchiveOptions(*verify, options.archive);
  verify->add_flag("--json", options.json, "Print one JSON object instead of text");
  return verify;
}

int RunVerify(const VerifyOptions& options) {
  if (options.archive.none) {
    std::fputs("zorvant-cli verify: --no-archive leaves nothing to verify against\n", stderr);
    return kExitUsage;
  }
  std::vector<uint8_t> file;
  if (!ReadWholeFile(options.file, file)) return Refuse(options.file, "cannot be read");
  VerifyOutcome outcome;
  if (const int code = Check(options, file, outcome); code != kExitOk) return code;
  if (options.json) {
    std::printf("%s\n", OutcomeJson(options.file, outcome)
                            .dump(2, ' ', false, json::error_handler_t::replace)
                            .c_str());
  } else {
    PrintText(options.file, outcome);
  }
  RecordCheck(options, file, outcome);
  switch (outcome.result) {
    case VerifyResult::Matches:
      return kExitOk;
    case VerifyResult::Differs:
      return kExitVerifyDiffers;
    case VerifyResult::NotFound:
      break;
  }
  return kExitVerifyNotFound;
}

}  // namespace zv::cli
