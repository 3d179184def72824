// A report, as JSON or as a PDF, checked against the archive: the recording it names found by
// its SHA-256, the report made again from that original with the same request, and the two
// compared (the JSON member by member, the PDF line by line of its text).
#pragma once

#include <nlohmann/json.hpp>
#include <span>

#include "archive/archive_store.h"
#include "cli/archive_choice.h"
#include "cli/verify_outcome.h"

namespace zv::cli {

// Whether a JSON document has a report's shape.
bool IsReportJson(const nlohmann::json& document);

// The original is looked up in `store` and loaded from the archive `choice` names (the same).
archive::ArchiveStatus VerifyReportJson(archive::ArchiveStore& store, const ArchiveChoice& choice,
                                        const nlohmann::json& document, VerifyOutcome& outcome);

// Whether the bytes are a PDF at all.
bool IsPdf(std::span<const uint8_t> file);

// `problem` says why a PDF could not be read (its outcome is then not set).
archive::ArchiveStatus VerifyReportPdf(archive::ArchiveStore& store, const ArchiveChoice& choice,
                                       std::span<const uint8_t> file, VerifyOutcome& outcome,
                                       std::string& problem);

}  // namespace zv::cli
