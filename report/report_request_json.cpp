#include "report/report_request_json.h"

#include <cstdint>
#include <limits>

#include "report/report_texts.h"
#include "report/report_title.h"

namespace zv {

namespace {

using Json = nlohmann::ordered_json;

// The bounds a request read back must keep: the sensor's range for a limit (in ten-thousandths
// of a degree), the activation energies a report accepts (J/mol), an offset short of a day, and
// lengths far beyond any name a user gives.
constexpr int64_t kLowestLimit = -55 * 10000;
constexpr int64_t kHighestLimit = 125 * 10000;
constexpr double kLowestEnergy = 1e3;
constexpr double kHighestEnergy = 1e6;
constexpr int64_t kLargestOffset = kSecondsPerDay - 1;
constexpr std::size_t kLongestName = 4096;
constexpr std::size_t kLongestVersion = 64;
constexpr std::size_t kSha256HexLength = 64;

Json LimitJson(const std::optional<int32_t>& limit) {
  return limit ? Json(*limit) : Json(nullptr);
}

Json TimeJson(int64_t utc, int32_t offset) {
  return {{"utc", utc}, {"offset_s", offset}};
}

// Each reader below finds `name` in `object` and checks it; false with `why` naming it.
bool Fail(std::string& why, const char* name, const char* what) {
  why = std::string("\"") + name + "\" " + what;
  return false;
}

const nlohmann::json* Find(const nlohmann::json& object, const char* name, std::string& why) {
  const auto found = object.find(name);
  if (found == object.end()) {
    Fail(why, name, "is missing");
    return nullptr;
  }
  return &*found;
}

bool ReadObject(const nlohmann::json& object, const char* name, const nlohmann::json*& out,
                std::string& why) {
  out = Find(object, name, why);
  return out != nullptr && (out->is_object() || Fail(why, name, "is not an object"));
}

bool ReadBool(const nlohmann::json& object, const char* name, bool& out, std::string& why) {
  const nlohmann::json* value = Find(object, name, why);
  if (value == nullptr) return false;
  if (!value->is_boolean()) return Fail(why, name, "is not true or false");
  out = value->get<bool>();
  return true;
}

bool ReadInteger(const nlohmann::json& object, const char* name, int64_t lowest, int64_t highest,
                 int64_t& out, std::string& why) {
  const nlohmann::json* value = Find(object, name, why);
  if (value == nullptr) return false;
  if (value->is_number_unsigned()) {
    const uint64_t number = value->get<uint64_t>();
    if (number > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) {
      return Fail(why, name, "is out of range");
    }
    out = static_cast<int64_t>(number);
  } else if (value->is_number_integer()) {
    out = value->get<int64_t>();
  } else {
    return Fail(why, name, "is not a whole number");
  }
  return (out >= lowest && out <= highest) || Fail(why, name, "is out of range");
}

bool ReadText(const nlohmann::json& object, const char* name, std::size_t longest, std::string& out,
              std::string& why) {
  const nlohmann::json* value = Find(object, name, why);
  if (value == nullptr) return false;
  if (!value->is_string()) return Fail(why, name, "is not a text");
  if (value->get_ref<const std::string&>().size() > longest) return Fail(why, name, "is too long");
  out = value->get<std::string>();
  return true;
}

bool IsNull(const nlohmann::json& object, const char* name) {
  const auto found = object.find(name);
  return found != object.end() && found->is_null();
}

bool ReadLimit(const nlohmann::json& object, const char* name, std::optional<int32_t>& out,
               std::string& why) {
  if (IsNull(object, name)) {
    out.reset();
    return true;
  }
  int64_t value = 0;
  if (!ReadInteger(object, name, kLowestLimit, kHighestLimit, value, why)) return false;
  out = static_cast<int32_t>(value);
  return true;
}

bool ReadTime(const nlohmann::json& object, const char* name, int64_t& utc, int32_t& offset,
              std::string& why) {
  const nlohmann::json* time = nullptr;
  int64_t seconds = 0;
  int64_t east = 0;
  if (!ReadObject(object, name, time, why) ||
      !ReadInteger(*time, "utc", -kLargestStart + 1, kLargestStart - 1, seconds, why) ||
      !ReadInteger(*time, "offset_s", -kLargestOffset, kLargestOffset, east, why)) {
    return false;
  }
  utc = seconds;
  offset = static_cast<int32_t>(east);
  return true;
}

bool ReadStart(const nlohmann::json& object, std::optional<StartTime>& start, std::string& why) {
  if (IsNull(object, "started_at")) {
    start.reset();
    return true;
  }
  StartTime read;
  const nlohmann::json* time = nullptr;
  if (!ReadTime(object, "started_at", read.utc, read.fixedOffset, why) ||
      !ReadObject(object, "started_at", time, why) ||
      !ReadBool(*time, "local_zone", read.localZone, why)) {
    return false;
  }
  if (read.localZone) read.fixedOffset = 0;
  start = read;
  return true;
}

bool ReadSource(const nlohmann::json& object, ReportRequest& request, std::string& why) {
  const nlohmann::json* source = nullptr;
  std::string kind;
  if (!ReadObject(object, "source", source, why) ||
      !ReadText(*source, "kind", kLongestName, kind, why) ||
      !ReadText(*source, "name", kLongestName, request.source, why)) {
    return false;
  }
  for (SourceKind known : {SourceKind::Port, SourceKind::ExportFile, SourceKind::Archive}) {
    if (kind == SourceKindName(known)) {
      request.sourceKind = known;
      return true;
    }
  }
  return Fail(why, "kind", "names no source");
}

bool ReadLimits(const nlohmann::json& object, ChannelLimits& limits, std::string& why) {
  const nlohmann::json* read = nullptr;
  return ReadObject(object, "limits_e4", read, why) &&
         ReadLimit(*read, "low_a", limits.a.low, why) &&
         ReadLimit(*read, "high_a", limits.a.high, why) &&
         ReadLimit(*read, "low_b", limits.b.low, why) &&
         ReadLimit(*read, "high_b", limits.b.high, why);
}

bool ReadLanguage(const nlohmann::json& object, LabelLanguage& language, std::string& why) {
  std::string code;
  if (!ReadText(object, "language", kLongestVersion, code, why)) return false;
  for (LabelLanguage known : {LabelLanguage::Polish, LabelLanguage::English}) {
    if (code == ReportTextsFor(known).language) {
      language = known;
      return true;
    }
  }
  return Fail(why, "language", "is neither pl nor en");
}

bool ReadEnergy(const nlohmann::json& object, double& joules, std::string& why) {
  const nlohmann::json* value = Find(object, "activation_energy_j_per_mol", why);
  if (value == nullptr) return false;
  if (!value->is_number()) return Fail(why, "activation_energy_j_per_mol", "is not a number");
  const double read = value->get<double>();
  if (!(read >= kLowestEnergy && read <= kHighestEnergy)) {
    return Fail(why, "activation_energy_j_per_mol", "is out of range");
  }
  joules = read;
  return true;
}

bool ReadRequest(const nlohmann::json& object, ReportRequest& request, std::string& why) {
  if (!ReadText(object, "title", kLongestName, request.title, why)) return false;
  if (!request.title.empty() && !TitleProblem(request.title).empty()) {
    return Fail(why, "title", "cannot be a report's title");
  }
  return ReadLanguage(object, request.language, why) &&
         ReadBool(object, "show_a", request.showA, why) &&
         ReadBool(object, "show_b", request.showB, why) &&
         ReadLimits(object, request.limits, why) && ReadStart(object, request.start, why) &&
         ReadBool(object, "started_at_estimated", request.startEstimated, why) &&
         ReadEnergy(object, request.activationEnergy, why) && ReadSource(object, request, why) &&
         ReadTime(object, "made_at", request.madeAtUtc, request.madeAtOffset, why) &&
         ReadText(object, "program_version", kLongestVersion, request.version, why);
}

bool IsLowerHex(const std::string& text) {
  for (char c : text) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

bool ReadIdentity(const nlohmann::json& object, RecordingIdentity& identity, std::string& why) {
  identity = RecordingIdentity{};
  if (!IsNull(object, "sha256")) {
    if (!ReadText(object, "sha256", kSha256HexLength, identity.sha256, why)) return false;
    if (identity.sha256.size() != kSha256HexLength || !IsLowerHex(identity.sha256)) {
      return Fail(why, "sha256", "is not 64 lower-case hex digits");
    }
  }
  if (!IsNull(object, "archive_id")) {
    int64_t id = 0;
    if (!ReadInteger(object, "archive_id", 1, std::numeric_limits<int64_t>::max(), id, why)) {
      return false;
    }
    identity.archiveId = id;
  }
  if (IsNull(object, "origin")) return true;
  std::string origin;
  if (!ReadText(object, "origin", kLongestVersion, origin, why)) return false;
  if (origin == "downloaded") {
    identity.origin = KeptOrigin::Downloaded;
  } else if (origin == "imported") {
    identity.origin = KeptOrigin::Imported;
  } else {
    return Fail(why, "origin", "is neither downloaded nor imported");
  }
  return true;
}

}  // namespace

const char* SourceKindName(SourceKind kind) {
  switch (kind) {
    case SourceKind::Port:
      return "port";
    case SourceKind::ExportFile:
      return "export";
    case SourceKind::Archive:
      break;
  }
  return "archive";
}

Json RecordingIdentityJson(const RecordingIdentity& identity) {
  const Json origin = identity.origin == KeptOrigin::Downloaded ? Json("downloaded")
                      : identity.origin == KeptOrigin::Imported ? Json("imported")
                                                                : Json(nullptr);
  return {{"sha256", identity.sha256.empty() ? Json(nullptr) : Json(identity.sha256)},
          {"archive_id", identity.archiveId ? Json(*identity.archiveId) : Json(nullptr)},
          {"origin", origin}};
}

Json ReportRequestJson(const ReportRequest& r) {
  Json start = nullptr;
  if (r.start) {
    start = TimeJson(r.start->utc, r.start->localZone ? 0 : r.start->fixedOffset);
    start["local_zone"] = r.start->localZone;
  }
  return {{"title", r.title},
          {"language", ReportTextsFor(r.language).language},
          {"show_a", r.showA},
          {"show_b", r.showB},
          {"limits_e4",
           {{"low_a", LimitJson(r.limits.a.low)},
            {"high_a", LimitJson(r.limits.a.high)},
            {"low_b", LimitJson(r.limits.b.low)},
            {"high_b", LimitJson(r.limits.b.high)}}},
          {"started_at", start},
          {"started_at_estimated", r.startEstimated},
          {"activation_energy_j_per_mol", r.activationEnergy},
          {"source", {{"kind", SourceKindName(r.sourceKind)}, {"name", r.source}}},
          {"made_at", TimeJson(r.madeAtUtc, r.madeAtOffset)},
          {"program_version", r.version}};
}

std::string ReportKeywords(const ReportRequest& request) {
  // ASCII alone, every other character escaped: cairo stores the keywords as UTF-16 (a hex
  // string), and whatever turns them back into text, the JSON comes through unchanged.
  const Json document = {{"zorvant_report", 1},
                         {"recording", RecordingIdentityJson(request.recording)},
                         {"request", ReportRequestJson(request)}};
  return document.dump(-1, ' ', true, Json::error_handler_t::replace);
}

bool ReportRequestFromJson(const nlohmann::json& document, ReportRequest& request,
                           std::string& why) {
  if (!document.is_object()) {
    why = "not a JSON object";
    return false;
  }
  if (document.contains("zorvant_report") && document["zorvant_report"] != 1) {
    return Fail(why, "zorvant_report", "names a form this program does not know");
  }
  const nlohmann::json* recording = nullptr;
  const nlohmann::json* asked = nullptr;
  ReportRequest read;
  if (!ReadObject(document, "recording", recording, why) ||
      !ReadIdentity(*recording, read.recording, why) ||
      !ReadObject(document, "request", asked, why) || !ReadRequest(*asked, read, why)) {
    return false;
  }
  request = read;
  return true;
}

}  // namespace zv
