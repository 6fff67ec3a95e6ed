// The one place where the program's 8-bit Windows-1252 text meets QString.
// Window code converts at its boundary with these two functions and nowhere else.
#pragma once

#include <QString>
#include <string>

namespace tq {

QString ToQString(const std::string& text);
// Characters outside Windows-1252 become '?'.
std::string FromQString(const QString& text);

}  // namespace tq
