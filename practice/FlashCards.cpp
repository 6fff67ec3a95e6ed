#include "FlashCards.h"

#include <cstdio>

#include "AtomicFile.h"
#include "Messages.h"
#include "RWorksheet.h"

namespace tq {
namespace {

// Unicode for the bytes 0x80 to 0x9F; 0 where the code page has no character.
constexpr char32_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// One field: blanks for what would break the line, no blanks at either end.
std::string Field(std::string_view text) {
  std::string utf8 = Utf8From1252(text);
  const std::size_t first = utf8.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return utf8.substr(first, utf8.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string Utf8From1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char byte : text) {
    const auto b = static_cast<unsigned char>(byte);
    char32_t c = b;
    if (b < 0x20 || b == 0x7F) c = ' ';
    else if (b >= 0x80 && b < 0xA0) c = kHigh[b - 0x80] ? kHigh[b - 0x80] : U' ';
    AppendUtf8(out, c);
  }
  return out;
}

std::string FlashCardText(const RWorksheet& worksheet) {
  std::string out;
  for (int32_t i = 0; i < worksheet.Count(); ++i) {
    const RNumber& entry = worksheet.At(i);
    const std::string number = Field(entry.Number());
    if (number.empty()) continue;
    const std::string description = Field(entry.Description());
    const std::string phrase = Field(entry.Phrase());
    out += description.empty() ? number : description;
    out += '\t';
    out += phrase.empty() ? number : number + ": " + phrase;
    out += '\n';
  }
  return out;
}

bool ExportFlashCards(const RWorksheet& worksheet, const std::string& path) {
  AtomicFile out(path);
  std::FILE* file = out.OpenOrReport();
  if (!file) return false;
  const std::string text = FlashCardText(worksheet);
  std::fwrite(text.data(), 1, text.size(), file);
  if (!out.Commit()) {
    ShowError("Error writing to file '" + path + "'. The disk could be full.");
    return false;
  }
  return true;
}

}  // namespace tq
