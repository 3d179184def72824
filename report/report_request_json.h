// What a report was asked for and which recording it was made from, as one JSON object, and
// read back from one: a report carries it (a PDF in its keywords, the JSON document as its
// "request" and "recording" members), so that the same report can be made again, and the
// recording found, from the report alone.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "report/report_facts.h"

namespace zv {

// How the JSON names a source: "port", "export" or "archive".
const char* SourceKindName(SourceKind kind);

// The "recording" member: {"sha256": hex | null, "archive_id": n | null, "origin": "downloaded" |
// "imported" | null}.
nlohmann::ordered_json RecordingIdentityJson(const RecordingIdentity& identity);

// The "request" member: everything a ReportRequest holds but the recording, exactly (the limits
// in ten-thousandths of a degree, the start and the making time in seconds with their offsets).
nlohmann::ordered_json ReportRequestJson(const ReportRequest& request);

// {"zorvant_report":1,"recording":{...},"request":{...}} on one line, as a PDF's keywords hold it:
// ASCII, each other character written \uXXXX.
std::string ReportKeywords(const ReportRequest& request);

// Reads `document`'s "request" and "recording" members (a PDF's keywords, or a report's JSON
// document) into `request`. The document comes from outside: every member must be there with its
// type and within its range; false with `why` otherwise, and `request` is then left as it was.
bool ReportRequestFromJson(const nlohmann::json& document, ReportRequest& request,
                           std::string& why);

}  // namespace zv
