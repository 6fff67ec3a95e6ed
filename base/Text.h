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
// UTF-8 text as Windows-1252, a character it has no byte for becoming '?'.
// False (out left alone) when the bytes are not UTF-8: a stray or missing
// continuation byte, an overlong form, a surrogate, or past U+10FFFF.
bool Utf8To1252(std::string_view text, std::string& out);

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
