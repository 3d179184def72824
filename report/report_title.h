// The title a user gives a report: it must be text a page can show, and fit the title's lines.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zv {

// The title's lines and size on the page.
inline constexpr std::size_t kTitleLines = 2;
inline constexpr float kTitleSize = 16;

// Empty when `utf8` can be a title; else why not, for a message: not UTF-8, a control
// character (a direction control among them), or too long (with how many characters it has and how
// many fit).
std::string TitleProblem(std::string_view utf8);

}  // namespace zv
