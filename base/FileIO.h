// Helpers for the program's binary and text files.
//
// Binary files store 32-bit signed integers, least significant byte first.
// Text lines are read whole, whatever their length; one trailing line feed
// and then one trailing carriage return are removed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace tq {

// --- binary -----------------------------------------------------------------

bool WriteInt32(std::FILE* file, int32_t value);
// Reads four bytes; false (value untouched) when the file ends first.
bool ReadInt32(std::FILE* file, int32_t& value);

// The magic's characters without a terminator, then the version. Returns the
// count of version items written (1 on success).
int WriteMagic(const std::string& magic, std::FILE* file, int32_t version);
// Reads as many bytes as the magic has, then the version (stored when version
// is given, even when the magic does not match). True when the bytes equal the magic.
bool ReadMagic(const std::string& magic, std::FILE* file, int32_t* version = nullptr);

// Length, then exactly that many bytes; an empty string is four zero bytes.
void WriteCountedString(const std::string& text, std::FILE* file);

// The longest counted string the reader accepts.
inline constexpr int32_t kMaxCountedString = 1023;
// A length of 0 or less is the empty string. A length above kMaxCountedString,
// or text cut short by the end of the file, gives the empty string and sets
// *ok to false; nothing is ever read past what the reader holds. A zero byte
// inside the text ends the string there.
std::string ReadCountedString(std::FILE* file, bool* ok = nullptr);

// --- text -------------------------------------------------------------------

// Writes "#<name> - <version>\n".
void WriteTextHeader(const std::string& name, std::FILE* file, int32_t version);
// Reads the header by the pattern "#%s - %d\n", the trailing white space of
// the pattern swallowing every following blank and empty line. True when the
// word after '#' begins with name. A word longer than 127 characters is
// rejected.
bool ReadTextHeader(const std::string& name, std::FILE* file, int32_t* version = nullptr);

// Skips white space (as std::isspace sees it) up to the next other character.
void SkipSpace(std::FILE* file);

// The next line without its line end; false at the end of the file or on a
// read error (line is then empty).
bool ReadLine(std::FILE* file, std::string& line);

// Walks the lines of a text held in memory with the same rules as ReadLine.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : text_(text) {}
  bool Next(std::string_view& line);
  bool AtEnd() const { return pos_ >= text_.size(); }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// --- reading a file ---------------------------------------------------------------

// Every file the program reads, its own or one from outside, is read whole
// by ReadFileUpTo, in one pass and never more of it than its reader's limit
// and one byte: a reader learns that a file is too long without ever
// holding more of it. Only a regular file is read. A folder, a named pipe
// or a device in a file's place is refused at once, without being opened
// for long or read: a pipe with no writer would keep the program waiting
// for ever, and a device may have no end.
//
// Missing: nothing there at all (nor a folder on the way). Read: `contents` holds the file, or its
// first limit + 1 bytes when it is longer. NotAFile: something else than a
// file is there; `reason` says what ("it is a named pipe, not a file").
// Unreadable: a file that could not be opened or read (no permission, a
// disk error); we know nothing about what it holds, and `reason` gets the
// system's reason.
enum class FileRead { Missing, Read, NotAFile, Unreadable };
FileRead ReadFileUpTo(const std::string& path, std::size_t limit, std::string& contents,
                      std::string* reason = nullptr);

// The bytes of a file read whole, as a stream for the binary and line
// readers above. The bytes must stay while it is used; it is closed when it
// goes. file is null only when the system could not make the stream.
struct BytesStream {
  std::FILE* file;
  explicit BytesStream(std::string& bytes);
  ~BytesStream();
  BytesStream(const BytesStream&) = delete;
  BytesStream& operator=(const BytesStream&) = delete;
};

// --- files that could not be taken in ------------------------------------------

// A file the program could not take in (damaged, or from a newer version)
// is kept before anything is written over it: moved aside, or copied, when
// it must stay where it is until a complete new file replaces it.
enum class KeepBy { Moving, Copying };
// Keeps the file at path beside it under path + suffix, or the suffix and 2,
// 3 and so on up to 1000 when a name is taken (anything there at all, even
// a dangling link, takes it); a copy is written through the atomic writer.
// Returns the name it was kept as; empty when no name was free (`reason` is
// then "File exists") or the move or copy failed (the system's reason).
// Shows nothing.
std::string KeepAside(const std::string& path, const char* suffix, KeepBy how, std::string& reason);

}  // namespace tq
