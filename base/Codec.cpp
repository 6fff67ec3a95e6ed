#include "Codec.h"

#include <QFile>
#include <unordered_set>

#include "Messages.h"
#include "Text.h"

namespace tq {
namespace {

// Calls visit(codePoint, position, length) for each character of text, a
// surrogate pair being one character.
template <typename Visit>
void ForEachCharacter(const QString& text, Visit visit) {
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate()) {
      visit(QChar::surrogateToUcs4(c, text[i + 1]), i, qsizetype{2});
      ++i;
    } else {
      visit(char32_t(c.unicode()), i, qsizetype{1});
    }
  }
}

// A zero character cannot be held either: the files and the counted strings
// would end the text there.
bool Storable(char32_t cp) { return cp != 0 && ByteOf1252(cp) >= 0; }

}  // namespace

QString ToQString(std::string_view text) {
  QString out;
  out.reserve(static_cast<qsizetype>(text.size()));
  for (unsigned char c : text) out.append(QChar(char16_t(CodePointOf1252(c))));
  return out;
}

std::string FromQString(const QString& text) {
  std::string out;
  out.reserve(static_cast<std::size_t>(text.size()));
  ForEachCharacter(text, [&](char32_t cp, qsizetype, qsizetype) {
    const int byte = ByteOf1252(cp);
    out.push_back(byte >= 0 ? static_cast<char>(byte) : '?');
  });
  return out;
}

QString Unrepresentable(const QString& text) {
  QString out;
  // Each character is looked up in a set, not in the text gathered so far:
  // a paste of many different such characters stays one pass.
  std::unordered_set<char32_t> seen;
  ForEachCharacter(text, [&](char32_t cp, qsizetype at, qsizetype length) {
    if (Storable(cp) || !seen.insert(cp).second) return;
    out += QStringView(text).mid(at, length);
  });
  return out;
}

QString WithoutUnrepresentable(const QString& text) {
  QString out;
  out.reserve(text.size());
  ForEachCharacter(text, [&](char32_t cp, qsizetype at, qsizetype length) {
    if (Storable(cp)) out += QStringView(text).mid(at, length);
  });
  return out;
}

QString PathToQString(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

std::string PathFromQString(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString MessageToQString(const std::string& message) { return QString::fromUtf8(MessageToUtf8(message)); }

}  // namespace tq
