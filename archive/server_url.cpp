#include "archive/server_url.h"

#include "archive/crypto.h"

namespace zv::archive {

namespace {

// %XX decoded; a stray '%' is kept as it is (libpq refuses such a URL, and then nothing
// connects, but the message must still not show the password).
std::string Decoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const int value = HexByteValue(text[i + 1], text[i + 2]);
      if (value >= 0) {
        out.push_back(static_cast<char>(value));
        i += 2;
        continue;
      }
    }
    out.push_back(text[i]);
  }
  return out;
}

void KeepSecret(std::string_view secret, std::vector<std::string>& secrets) {
  if (secret.empty()) return;
  secrets.emplace_back(secret);
  std::string decoded = Decoded(secret);
  if (decoded != secret) secrets.push_back(std::move(decoded));
}

// The parameters after '?' without any password=…; `secrets` gets the passwords.
std::string ParametersWithout(std::string_view parameters, std::vector<std::string>& secrets) {
  std::string kept;
  while (!parameters.empty()) {
    const std::size_t end = parameters.find('&');
    const std::string_view pair = parameters.substr(0, end);
    parameters = end == std::string_view::npos ? std::string_view() : parameters.substr(end + 1);
    const std::size_t equals = pair.find('=');
    if (Decoded(pair.substr(0, equals)) == "password") {
      if (equals != std::string_view::npos) KeepSecret(pair.substr(equals + 1), secrets);
      continue;
    }
    if (!kept.empty()) kept += '&';
    kept += pair;
  }
  return kept;
}

}  // namespace

ShownUrl WithoutPassword(std::string_view url) {
  ShownUrl result;
  const std::size_t scheme = url.find("://");
  const std::size_t start = scheme == std::string_view::npos ? 0 : scheme + 3;
  std::string_view rest = url.substr(start);
  result.shown = url.substr(0, start);
  // The user information, when there is one: up to an '@' met before any '/'.
  const std::size_t stop = rest.find_first_of("@/");
  if (stop != std::string_view::npos && rest[stop] == '@') {
    const std::string_view user = rest.substr(0, stop);
    const std::size_t colon = user.find(':');
    result.shown += user.substr(0, colon);
    if (colon != std::string_view::npos) KeepSecret(user.substr(colon + 1), result.secrets);
    result.shown += '@';
    rest.remove_prefix(stop + 1);
  }
  const std::size_t question = rest.find('?');
  result.shown += rest.substr(0, question);
  if (question != std::string_view::npos) {
    const std::string parameters = ParametersWithout(rest.substr(question + 1), result.secrets);
    if (!parameters.empty()) result.shown += "?" + parameters;
  }
  return result;
}

std::string Scrubbed(std::string text, const std::vector<std::string>& secrets) {
  for (const std::string& secret : secrets) {
    if (secret.empty()) continue;
    for (std::size_t at = text.find(secret); at != std::string::npos;
         at = text.find(secret, at + 3)) {
      text.replace(at, secret.size(), "***");
    }
  }
  return text;
}

}  // namespace zv::archive
