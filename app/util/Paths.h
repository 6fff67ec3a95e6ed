// Path helpers. A separator is either '/' or '\', whichever comes last.
#pragma once

#include <string>

namespace tq {

// The part after the last separator; the whole path when it has none.
std::string FileNameOf(const std::string& path);
// FileNameOf(path) cut before its last '.'; unchanged when it has none.
std::string BaseNameOf(const std::string& path);
// Up to and including the last separator; empty when there is none.
std::string DirectoryOf(const std::string& path);

// Paths are native UTF-8. Two paths name the same file, letter case aside,
// when their keys are equal: A to Z and the accented capitals of the Latin-1
// range (À to Þ, written as two bytes each) fold to small letters, and
// every other byte stays as it is, so no two different names ever share a key.
std::string PathCaseKey(const std::string& path);
bool SamePathIgnoringCase(const std::string& a, const std::string& b);
// Two paths of one file as the file system tells names apart: on Linux
// byte for byte (Phone.tqw and phone.tqw are two files); only where the
// system folds letter case (Windows, macOS) without regard to case.
bool SamePath(const std::string& a, const std::string& b);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Creates the folder and any missing parents (private to the user, as the
// XDG folders should be); true when it exists afterwards.
bool MakeDirectories(const std::string& directory);

}  // namespace tq
