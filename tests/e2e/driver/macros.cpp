#include "macros.h"

#include <algorithm>
#include <map>

namespace zvd {

namespace {

constexpr int kDeepest = 8;

struct Macro {
  std::vector<std::wstring> params;  // in the order the arguments come
  std::vector<size_t> replaceOrder;  // longest name first, so $name never eats into $names
  std::vector<ScriptLine> body;
};
using Macros = std::map<std::wstring, Macro>;

void ReplaceAll(std::wstring& text, const std::wstring& from, const std::wstring& to) {
  for (size_t at = text.find(from); at != std::wstring::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// Collects `define ... end` blocks; the other lines stay in `rest`.
bool Collect(const std::vector<ScriptLine>& lines, Macros& macros, std::vector<ScriptLine>& rest,
             std::wstring& error) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].words[0] != L"define") {
      rest.push_back(lines[i]);
      continue;
    }
    const ScriptLine& head = lines[i];
    if (head.words.size() < 2) return error = L"define without a name", false;
    Macro macro;
    macro.params.assign(head.words.begin() + 2, head.words.end());
    for (size_t p = 0; p < macro.params.size(); ++p) macro.replaceOrder.push_back(p);
    std::sort(macro.replaceOrder.begin(), macro.replaceOrder.end(),
              [&](size_t a, size_t b) { return macro.params[a].size() > macro.params[b].size(); });
    for (++i; i < lines.size() && lines[i].words[0] != L"end"; ++i) {
      if (lines[i].words[0] == L"define") return error = L"define inside " + head.words[1], false;
      macro.body.push_back(lines[i]);
    }
    if (i == lines.size()) return error = L"no end for " + head.words[1], false;
    macros[head.words[1]] = macro;
  }
  return true;
}

bool Expand(const ScriptLine& line, const Macros& macros, int depth, std::vector<ScriptLine>& out,
            std::wstring& error) {
  const auto found = macros.find(line.words[0]);
  if (found == macros.end()) {
    out.push_back(line);
    return true;
  }
  if (depth >= kDeepest) return error = L"blocks nested too deep at " + line.words[0], false;
  const Macro& macro = found->second;
  if (line.words.size() - 1 != macro.params.size()) {
    return error = L"line " + std::to_wstring(line.number) + L": " + line.words[0] + L" takes " +
                   std::to_wstring(macro.params.size()) + L" arguments",
           false;
  }
  for (const ScriptLine& body : macro.body) {
    ScriptLine expanded = body;
    expanded.number = line.number;
    for (const size_t p : macro.replaceOrder) {
      const std::wstring& name = macro.params[p];
      const std::wstring& value = line.words[1 + p];
      for (std::wstring& word : expanded.words) ReplaceAll(word, L"$" + name, value);
    }
    std::wstring shown;
    for (const std::wstring& word : expanded.words) shown += (shown.empty() ? L"" : L" ") + word;
    expanded.text = line.words[0] + L" > " + shown;
    if (!Expand(expanded, macros, depth + 1, out, error)) return false;
  }
  return true;
}

}  // namespace

bool ExpandMacros(std::vector<ScriptLine>& lines, std::wstring& error) {
  Macros macros;
  std::vector<ScriptLine> rest;
  if (!Collect(lines, macros, rest, error)) return false;
  std::vector<ScriptLine> out;
  for (const ScriptLine& line : rest) {
    if (!Expand(line, macros, 0, out, error)) return false;
  }
  lines = std::move(out);
  return true;
}

}  // namespace zvd
