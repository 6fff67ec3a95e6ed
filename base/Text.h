// Text helpers for the program's 8-bit Windows-1252 strings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tq {

// Lower case as the desktop lowers 8-bit text: A-Z and the accented capitals
// of Windows-1252.
char ToLower1252(char c);
std::string ToLower1252(std::string_view text);
// Only the letters A to Z, the rest unchanged.
std::string ToLowerAscii(std::string_view text);

bool StartsWith(std::string_view text, std::string_view prefix);

// A count and the noun it counts, as the user reads them: "1 word",
// "2 words", "0 words". The plural is the noun with an s unless one is given
// (CountOf(n, "entry", "entries")). Every count a window, a status note or
// the command line puts before a noun goes through here.
std::string CountOf(std::int64_t count, std::string_view noun, std::string_view plural = {});

// --- Windows-1252 and Unicode ---------------------------------------------------
// The one table between the program's bytes and Unicode. Every byte has a code
// point: the five bytes Windows-1252 leaves undefined map to the C1 control
// of the same value, so that every byte survives a round trip.
char32_t CodePointOf1252(unsigned char byte);
// The byte for a code point, or -1 when Windows-1252 has none.
int ByteOf1252(char32_t codePoint);
// Windows-1252 text as UTF-8.
std::string Utf8From1252(std::string_view text);

// --- text files an editor may have written ----------------------------------------
// The program writes its text files in Windows-1252. A file a user keeps by
// hand (the journey, the peg words) may come back from an editor in UTF-8,
// perhaps with the byte order mark in front; such a file is read as what it
// is, and written back the same way.
enum class TextEncoding { Windows1252, Utf8, Utf8WithMark };
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The text without a UTF-8 byte order mark at its start. Every reader of a
// text file a user may have edited skips it, so that the mark never becomes
// part of the first line.
std::string_view SkipByteOrderMark(std::string_view text);
// What a file's bytes are. UTF-8 when they are valid UTF-8 (no overlong
// form, surrogate or code point beyond U+10FFFF) and hold a byte above 0x7F
// (the byte order mark counts); with the mark when they begin with it.
// Anything else is Windows-1252, as plain ASCII equally is.
TextEncoding EncodingOf(std::string_view bytes);
// UTF-8 as Windows-1252: false when the text is not valid UTF-8 or holds a
// character that has no byte in Windows-1252; `out` then holds the
// characters before it. With a `replacement`, such a character becomes it
// instead, and only bytes that are no UTF-8 make it false.
bool Utf8To1252(std::string_view text, std::string& out, char replacement = '\0');
// Windows-1252 text in the given encoding, the mark first for Utf8WithMark.
std::string EncodeText(std::string_view text, TextEncoding encoding);

// --- one-line values ------------------------------------------------------------
// Every text field of the program is one line, and the files keep one value
// per line: a line break inside a value would split it and shift every line
// after it. A carriage return, a line feed, or the two together become one
// blank each.
bool HasLineBreak(std::string_view text);
std::string OneLine(std::string_view text);
// True for the bytes that read as empty room in a word: the blank, the tab,
// the line breaks, the other control characters and the no-break space 0xA0.
bool IsBlank1252(char c);
// The text without the blanks at either end, as a typed or pasted word or code
// is taken.
std::string_view TrimBlanks(std::string_view text);

// --- words in typed text ---------------------------------------------------------
// A letter of Windows-1252: A to Z, a to z and the accented letters (but not
// the signs among them, such as the multiplication sign).
bool IsLetter1252(char c);
// The word without the punctuation around it in a sentence: the bytes at
// either end that are neither letters nor digits go ("Lily," is "Lily",
// "(lavish!)" is "lavish", "o'clock" stays). Empty when nothing else is there.
std::string_view TrimPunctuation(std::string_view word);

}  // namespace tq
