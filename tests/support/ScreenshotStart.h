// The start every screenshot tool shares: its two arguments (the data folder
// and the picture to write), the offscreen platform unless another one is
// named, and the dictionary of the data folder. Header only, so the tools
// link nothing more than the dialog they draw.
#pragma once

#include <QtGlobal>
#include <cstdio>
#include <memory>
#include <string>

#include "RDictionary.h"

namespace tq::test {

// False, after the usage line, when the arguments are not the two expected;
// call it before the application object is made.
inline bool ScreenshotArguments(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <data folder> <out.png>\n", argv[0]);
    return false;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  return true;
}

// The dictionary loaded as the program loads it, or null after saying why.
inline std::unique_ptr<RDictionary> ScreenshotDictionary(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  auto loaded = CreateDictionary(folder);
  if (!loaded) std::fprintf(stderr, "could not load the dictionary from %s\n", folder.c_str());
  return loaded;
}

}  // namespace tq::test
