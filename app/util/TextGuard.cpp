#include "TextGuard.h"

#include <QLineEdit>
#include <QToolTip>

#include "Codec.h"
#include "Messages.h"

namespace tq {
namespace {

bool IsLineBreak(QChar c) {
  return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::LineSeparator ||
         c == QChar::ParagraphSeparator;
}

QString OneLine(const QString& text, bool& hadBreak) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (!IsLineBreak(text[i])) {
      out += text[i];
      continue;
    }
    hadBreak = true;
    // A Windows line end is one break, not two.
    if (text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
    out += QLatin1Char(' ');
  }
  return out;
}

}  // namespace

std::string RefusalText(const QString& leftOut, bool lineBreaks) {
  std::string text;
  if (!leftOut.isEmpty())
    text = "Left out '" + NativeText(leftOut.toStdString()) + "': the program's files cannot hold these characters.";
  if (lineBreaks) {
    if (!text.empty()) text += ' ';
    text += "Line breaks became blanks: the field holds one line.";
  }
  return text;
}

TTextGuard::TTextGuard(QLineEdit* edit) : QValidator(edit), edit_(edit) {}

QValidator::State TTextGuard::validate(QString& input, int& pos) const {
  bool hadBreak = false;
  const QString leftOut = Unrepresentable(input);
  if (leftOut.isEmpty() && !input.contains(QLatin1Char('\n')) && !input.contains(QLatin1Char('\r')) &&
      !input.contains(QChar::LineSeparator) && !input.contains(QChar::ParagraphSeparator))
    return Acceptable;
  // The cursor stays after what was typed: the part before it is cleaned on
  // its own, so its new length is the cursor's new place.
  const qsizetype at = qBound(qsizetype{0}, qsizetype{pos}, input.size());
  const QString before = WithoutUnrepresentable(OneLine(input.left(at), hadBreak));
  const QString after = WithoutUnrepresentable(OneLine(input.mid(at), hadBreak));
  input = before + after;
  pos = static_cast<int>(before.size());
  const std::string said = RefusalText(leftOut, hadBreak);
  ShowStatusAlert(said);
  if (edit_ && edit_->isVisible())
    QToolTip::showText(edit_->mapToGlobal(QPoint(0, edit_->height())), MessageToQString(said), edit_);
  return Acceptable;
}

void GuardTextField(QLineEdit* edit) { edit->setValidator(new TTextGuard(edit)); }

}  // namespace tq
