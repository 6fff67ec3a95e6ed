#include "Text.h"

#include <utility>

namespace tq {

char ToLower1252(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 0x20);
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 0x20);
  switch (u) {
    case 0x8A: return static_cast<char>(0x9A);
    case 0x8C: return static_cast<char>(0x9C);
    case 0x8E: return static_cast<char>(0x9E);
    case 0x9F: return static_cast<char>(0xFF);
    default: return c;
  }
}

std::string ToLower1252(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = ToLower1252(c);
  return out;
}

std::string ToLowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 0x20);
  return out;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

std::string CountOf(std::int64_t count, std::string_view noun, std::string_view plural) {
  std::string text = std::to_string(count) + ' ';
  if (count == 1)
    text += noun;
  else if (!plural.empty())
    text += plural;
  else
    (text += noun) += 's';
  return text;
}

bool IsBlank1252(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u <= 0x20 || u == 0x7F || u == 0xA0;
}

bool IsLetter1252(char c) {
  const auto u = static_cast<unsigned char>(c);
  if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z')) return true;
  if (u >= 0xC0) return u != 0xD7 && u != 0xF7;
  switch (u) {
    case 0x83: case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F:
    case 0xAA: case 0xB5: case 0xBA: return true;
    default: return false;
  }
}

std::string_view TrimPunctuation(std::string_view word) {
  const auto keeps = [](char c) { return IsLetter1252(c) || (c >= '0' && c <= '9'); };
  std::size_t start = 0;
  while (start < word.size() && !keeps(word[start])) ++start;
  std::size_t end = word.size();
  while (end > start && !keeps(word[end - 1])) --end;
  return word.substr(start, end - start);
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank1252(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank1252(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace tq

namespace tq {
namespace {

// Unicode code points of the bytes 0x80 to 0x9F.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

char32_t CodePointOf1252(unsigned char byte) { return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte; }

int ByteOf1252(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return static_cast<int>(codePoint);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == codePoint) return 0x80 + i;
  return -1;
}

std::string Utf8From1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) AppendUtf8(out, CodePointOf1252(c));
  return out;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

std::string OneLine(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      // A Windows line end is one break, not two.
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out.push_back(' ');
    } else {
      out.push_back(c);
    }
  }
  return out;
}

namespace {

// The next character of valid UTF-8 at pos, which moves past it; false (pos
// untouched) for anything else: a stray or missing continuation byte, an
// overlong form, a surrogate, a code point beyond U+10FFFF.
bool NextUtf8(std::string_view text, std::size_t& pos, char32_t& cp) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 0;
  char32_t least = 0;
  if (lead < 0x80) {
    cp = lead;
    ++pos;
    return true;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, least = 0x80, cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, least = 0x800, cp = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, least = 0x10000, cp = lead & 0x07;
  } else {
    return false;
  }
  if (text.size() - pos < length) return false;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return false;
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
  pos += length;
  return true;
}

}  // namespace

std::string_view SkipByteOrderMark(std::string_view text) {
  if (StartsWith(text, kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  return text;
}

TextEncoding EncodingOf(std::string_view bytes) {
  const std::string_view text = SkipByteOrderMark(bytes);
  bool high = text.size() < bytes.size();
  char32_t cp = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    high = high || static_cast<unsigned char>(text[pos]) >= 0x80;
    if (!NextUtf8(text, pos, cp)) return TextEncoding::Windows1252;
  }
  if (!high) return TextEncoding::Windows1252;
  return text.size() < bytes.size() ? TextEncoding::Utf8WithMark : TextEncoding::Utf8;
}

bool Utf8To1252(std::string_view text, std::string& out, char replacement) {
  out.clear();
  out.reserve(text.size());
  char32_t cp = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    if (!NextUtf8(text, pos, cp)) return false;
    const int byte = ByteOf1252(cp);
    if (byte < 0 && !replacement) return false;
    out.push_back(byte < 0 ? replacement : static_cast<char>(byte));
  }
  return true;
}

std::string EncodeText(std::string_view text, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Windows1252:
      break;
    case TextEncoding::Utf8:
      return Utf8From1252(text);
    case TextEncoding::Utf8WithMark:
      return std::string(kByteOrderMark) + Utf8From1252(text);
  }
  return std::string(text);
}

}  // namespace tq
