#include "DataPaths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "Paths.h"

#ifndef TQ_DATA_FROM_PROGRAM
// Where GNUInstallDirs puts the data by default, seen from the bin folder.
#define TQ_DATA_FROM_PROGRAM "../share/tessaloquine"
#endif

namespace tq {
namespace {

std::string WithSeparator(std::string directory) {
  if (directory.empty() || directory.back() != '/') directory.push_back('/');
  return directory;
}

bool IsAbsolute(const std::string& path) { return !path.empty() && path.front() == '/'; }

// The XDG rule: a variable that is unset, empty or relative is ignored and
// the default under the home folder is used.
std::string BaseDirectory(const std::string& variable, const std::string& home, const char* fallback) {
  if (IsAbsolute(variable)) return NormalizeDirectory(variable);
  return NormalizeDirectory(WithSeparator(home) + fallback);
}

// Two normalized folders that are one: the same text, or, when both exist,
// the same folder reached another way (a symbolic link on the way).
bool SameFolder(const std::string& a, const std::string& b) {
  if (a == b) return true;
  struct stat sa {}, sb {};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

std::string GetEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

}  // namespace

std::string NormalizeDirectory(const std::string& directory) {
  std::vector<std::string> steps;
  std::size_t start = 0;
  while (start <= directory.size()) {
    std::size_t end = directory.find('/', start);
    if (end == std::string::npos) end = directory.size();
    const std::string step = directory.substr(start, end - start);
    if (step == "..") {
      if (!steps.empty() && steps.back() != "..")
        steps.pop_back();
      else if (!IsAbsolute(directory))
        steps.push_back(step);  // above the root there is nothing to go up to
    } else if (!step.empty() && step != ".") {
      steps.push_back(step);
    }
    start = end + 1;
  }
  std::string out = IsAbsolute(directory) ? "/" : "";
  for (const auto& step : steps) out += step + "/";
  return out.empty() ? "./" : out;
}

std::string UserFileToRead(const DataPaths& paths, const char* name) {
  const std::string path = UserFileToWrite(paths, name);
  // Anything there at all, even a link that leads nowhere, is the user's.
  struct stat info {};
  if (paths.earlierUserDirectory.empty() || ::lstat(path.c_str(), &info) == 0) return path;
  const std::string earlier = paths.earlierUserDirectory + name;
  return ::lstat(earlier.c_str(), &info) == 0 ? earlier : path;
}

std::string UserFileToWrite(const DataPaths& paths, const char* name) { return paths.userDirectory + name; }

DataPaths PortablePaths(const std::string& directory) {
  DataPaths paths;
  paths.dataDirectory = paths.userDirectory = paths.configDirectory = directory;
  return paths;
}

PathEnvironment ProcessEnvironment() {
  PathEnvironment environment;
  environment.home = GetEnvironment("HOME");
  if (environment.home.empty()) {
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir) environment.home = user->pw_dir;
  }
  environment.configHome = GetEnvironment("XDG_CONFIG_HOME");
  environment.dataHome = GetEnvironment("XDG_DATA_HOME");
  return environment;
}

DataPaths DecideDataPaths(const std::string& executableDirectory, const PathEnvironment& environment) {
  const std::string program = WithSeparator(executableDirectory);
  return DecideDataPaths(program, environment, ::access(program.c_str(), W_OK) == 0);
}

DataPaths DecideDataPaths(const std::string& executableDirectory, const PathEnvironment& environment,
                          bool programFolderWritable) {
  const std::string program = WithSeparator(executableDirectory);
  const bool dataBeside = FileExists(program + "words.dat");
  if (dataBeside && programFolderWritable) return PortablePaths(program);

  DataPaths paths;
  paths.installed = true;
  paths.dataDirectory = dataBeside ? program : NormalizeDirectory(program + TQ_DATA_FROM_PROGRAM);
  paths.configDirectory = BaseDirectory(environment.configHome, environment.home, ".config") + kInstalledName + "/";
  paths.userDirectory = BaseDirectory(environment.dataHome, environment.home, ".local/share") + kInstalledName + "/";
  // Installed with the home folder's own prefix, the user's data folder is
  // the shipped one; writing the user's mapping.txt there would replace the
  // shipped file for good.
  if (SameFolder(paths.userDirectory, paths.dataDirectory)) {
    paths.earlierUserDirectory = paths.userDirectory;
    paths.userDirectory += kUserSubfolder;
  } else if (dataBeside) {
    // A portable copy made read-only keeps the user's changes of its
    // writable days beside it.
    paths.earlierUserDirectory = program;
  }
  return paths;
}

}  // namespace tq
