// Where one run of the program finds its shipped data and keeps the user's
// own files. This is the only place that decides it; the start-up code, the
// dictionary, the configuration and the command line are handed the result.
//
// Portable: the executable's folder holds words.dat and can be written.
// Everything, the shipped files and the user's, lives in that one folder, as
// when the program runs from its build folder.
//
// Read-only copy: the executable's folder holds words.dat but cannot be
// written (a copy on a read-only medium, or in another user's folder). The
// shipped files are read there; the user's files live where an installed
// program keeps them (below), and those a portable run kept beside the
// executable (words.txt, mapping.txt, journey.txt, ...) are read until the
// user's folder has its own.
//
// Installed: anything else. words.dat and the shipped mapping.txt are read
// from share/tessaloquine beside the program's bin folder (so a moved prefix
// still works); Tessaloquine.cfg lives in $XDG_CONFIG_HOME/tessaloquine,
// words.txt and an edited mapping.txt in $XDG_DATA_HOME/tessaloquine. Nothing
// is written under the installation. Installed into the home folder itself
// (--prefix ~/.local), that data folder is the shipped folder: the user's
// files then go to its subfolder user/, so an edited mapping.txt never
// replaces the shipped one, and the files kept beside the shipped ones by
// earlier versions are still read until the user's own folder has them.
#pragma once

#include <string>

namespace tq {

// The name of the program's folder under share/ and under the XDG folders.
inline constexpr const char* kInstalledName = "tessaloquine";

struct DataPaths {
  // The user's files live apart from the program: installed, or a read-only copy.
  bool installed = false;
  // words.dat and the shipped mapping.txt (and the help file's name).
  std::string dataDirectory;
  // The user's own files (see UserFileToRead); in installed mode created
  // on the first write.
  std::string userDirectory;
  // Tessaloquine.cfg; in installed mode created on the first write.
  std::string configDirectory;
  // Where the user's files were kept before: beside the shipped files, by
  // earlier versions or by a portable run. Read while userDirectory has no
  // such file, never written. Empty when there is no such place.
  std::string earlierUserDirectory;
};

// --- the user's own files ----------------------------------------------------------
// Every file that is the user's own (words.txt, mapping.txt once edited,
// journey.txt, pegs.txt, and any file of theirs the program comes to keep)
// is read from the path UserFileToRead gives and written to the one
// UserFileToWrite gives. No reader or writer picks a folder of its own, so
// every such file follows the same rules in every mode.
//
// The file to read: the user folder's, as soon as anything at all is there
// under the name (even something that is no file, which its reader then
// names); else, while the user folder has none, the one kept in
// earlierUserDirectory, when that folder has it; else the user folder's
// path, where nothing is yet.
std::string UserFileToRead(const DataPaths& paths, const char* name);
// The file to write: always in userDirectory, which the writer makes when it
// is missing. A file kept in earlierUserDirectory is never written; once
// the user folder has its own, that one is read.
std::string UserFileToWrite(const DataPaths& paths, const char* name);

// The subfolder of the shipped folder for the user's files, when the two
// would otherwise be one.
inline constexpr const char* kUserSubfolder = "user/";

// Every folder above ends in '/', ready for a file name to be appended.
DataPaths PortablePaths(const std::string& directory);

// The parts of the environment the decision reads. Empty means unset.
struct PathEnvironment {
  std::string home;
  std::string configHome;  // XDG_CONFIG_HOME
  std::string dataHome;    // XDG_DATA_HOME
};
PathEnvironment ProcessEnvironment();

// executableDirectory: the folder of the running program, with or without a
// trailing separator. Whether the program may write there is asked of the
// system, or given.
DataPaths DecideDataPaths(const std::string& executableDirectory, const PathEnvironment& environment);
DataPaths DecideDataPaths(const std::string& executableDirectory, const PathEnvironment& environment,
                          bool programFolderWritable);

// Removes "." and "name/.." steps and doubled separators, and ends the result
// with '/'. Only the text is looked at.
std::string NormalizeDirectory(const std::string& directory);

}  // namespace tq
