// What the two drill screenshot tools share: the dictionary of the data
// folder with the user's files in a scratch folder of their own, so that a
// tool run on the build folder writes nothing the program would read there.
#pragma once

#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <string>

#include "RDictionary.h"

namespace tq::test {

inline std::unique_ptr<RDictionary> ScratchUserDictionary(std::string folder, const QTemporaryDir& scratch) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  DataPaths paths = PortablePaths(folder);
  paths.userDirectory = scratch.path().toStdString() + "/";
  auto loaded = CreateDictionary(paths);
  if (!loaded) std::fprintf(stderr, "could not load the dictionary from %s\n", folder.c_str());
  return loaded;
}

}  // namespace tq::test
