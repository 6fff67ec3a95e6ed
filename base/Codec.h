// The one place where the program's text meets QString. The program's text
// and every data file are 8-bit Windows-1252; paths are native UTF-8; messages
// are 1252 with their paths set off as native text (Messages.h). Window code
// converts at its boundary with these functions and nowhere else.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tq {

QString ToQString(std::string_view text);
// Characters outside Windows-1252 become '?'. Input fields never get that
// far: they refuse such characters as they are typed (TextGuard.h).
std::string FromQString(const QString& text);

// The characters of text that Windows-1252 cannot hold, each once, in the
// order they first appear; empty when the text can be stored as it is.
// A character outside the basic plane counts as one, not as two halves.
QString Unrepresentable(const QString& text);
// text without those characters.
QString WithoutUnrepresentable(const QString& text);

// Paths as the file system spells them, never through Windows-1252.
QString PathToQString(const std::string& path);
std::string PathFromQString(const QString& path);

// A message or status text: its 1252 parts and its native parts each
// converted by their own rules.
QString MessageToQString(const std::string& message);

}  // namespace tq
