// Where the pictures' typeface comes from. Every text of a page is measured in DejaVu Sans, so
// PNG and PDF are drawn in exactly that face and its bold, never in a look-alike a system
// offers in its place: texts measured in one face and drawn in another overlap.
#pragma once

#include <string>

namespace zv {

// The file of DejaVu Sans (bold: DejaVu Sans Bold); false with why not.
bool FindDejaVuFile(bool bold, std::string& path, std::string& why);

// Lets go of what the search keeps for the life of the process.
void ReleaseFontSearch();

}  // namespace zv
