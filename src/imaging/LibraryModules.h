#pragma once

#include <string>
#include <vector>

namespace quillane {

// The library's modules of the formats read and written here: HEIC and AVIF, JPEG XL,
// and the general loader that reads the BMPs our own reader does not.
const std::vector<std::string>& NeededLibraryModules();

// Starts the library with only the named modules loaded, not every module installed
// beside it: the PDF and slide-scanner loaders alone bring a dozen shared libraries
// (3.5 MB) into the process, for formats it never opens. False when the library cannot
// start.
bool StartLibraryWithModules(const char* argv0, const std::vector<std::string>& modules);

}  // namespace quillane
