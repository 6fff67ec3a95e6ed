#include "Text.h"

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

bool IsBlank1252(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u <= 0x20 || u == 0x7F || u == 0xA0;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank1252(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank1252(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace tq
