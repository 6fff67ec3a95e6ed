// Path helpers.
#pragma once

#include <string>

namespace tq {

// In these three a separator is either '/' or '\', whichever comes last.
// The part after the last separator; the whole path when it has none.
std::string FileNameOf(const std::string& path);
// FileNameOf(path) cut before its last '.'; unchanged when it has none.
std::string BaseNameOf(const std::string& path);
// Up to and including the last separator; empty when there is none.
std::string DirectoryOf(const std::string& path);

// Paths are native UTF-8. Two paths name the same file, letter case aside,
// when their keys are equal: A to Z and the accented capitals of the Latin-1
// range (À to Þ, written as two bytes each, but not the multiplication sign
// ×) fold to small letters, and every other byte stays as it is, so two
// names that differ in more than the case of those letters never share a
// key. The key is as long as the path.
std::string PathCaseKey(const std::string& path);
bool SamePathIgnoringCase(const std::string& a, const std::string& b);
// Two paths of one file as the file system tells names apart: on Windows and
// macOS, which fold letter case, as SamePathIgnoringCase; everywhere else
// (Linux) byte for byte, so Phone.tqw and phone.tqw are two files. Only
// the texts are compared: no link is followed, no "." or ".." taken out.
bool SamePath(const std::string& a, const std::string& b);

// True for a plain file, or a folder, there; links are followed. False for
// an empty path.
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Creates the folder and any missing parents, splitting at '/'. Each new
// one gets mode 0700 less the umask (private to the user, as the XDG folders
// should be); folders already there are left as they are. True when the
// folder exists afterwards; false for an empty path.
bool MakeDirectories(const std::string& directory);

}  // namespace tq
