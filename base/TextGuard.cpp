#include "TextGuard.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QStyleHints>
#include <QToolTip>

#include <algorithm>
#include <cstdio>

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

// A field's cursor blinks by repainting the field, and each paint lays out
// the whole line: some 150 ms for a million characters. Blinking twice a
// second, a field holding a long paste kept a core busy for as long as it had
// the focus while the user did nothing. Such a field keeps its cursor steady.
// The blink rate is the application's; only the field with the focus blinks,
// so it is switched off while a long field has the focus and given back
// when the focus leaves it or its text gets short again.
constexpr qsizetype kSteadyCursorLength = 10000;

class TSteadyCursor final : public QObject {
 public:
  explicit TSteadyCursor(QLineEdit* edit) : QObject(edit), edit_(edit) {
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this, [this] { Follow(edit_->hasFocus()); });
  }
  ~TSteadyCursor() override { Follow(false); }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) Follow(true);
    if (event->type() == QEvent::FocusOut) Follow(false);
    return false;
  }

 private:
  void Follow(bool focused) {
    const bool steady = focused && edit_->text().size() > kSteadyCursorLength;
    if (steady == stopped_) return;
    QStyleHints* hints = QGuiApplication::styleHints();
    if (steady) {
      userFlashTime_ = hints->cursorFlashTime();
      hints->setCursorFlashTime(0);
    } else {
      hints->setCursorFlashTime(userFlashTime_);
    }
    stopped_ = steady;
  }

  QLineEdit* edit_;
  bool stopped_ = false;
  int userFlashTime_ = 0;
};

// The notice names the first few characters left out, then only counts: a
// paste of thousands would otherwise make a notice too long to read and to
// lay out.
constexpr qsizetype kNamedCharacters = 3;

// A character as the notice names it: itself in quotes and its code, which
// shows even where no font has the character (a box names nothing). A
// control character is named by its code alone.
std::string CharacterName(char32_t c) {
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
  if (!QChar::isPrint(c)) return code;
  return "'" + NativeText(QString::fromUcs4(&c, 1).toStdString()) + "' (" + code + ")";
}

}  // namespace

std::string RefusalText(const QString& leftOut, bool lineBreaks) {
  std::string text;
  const QList<uint> characters = leftOut.toUcs4();
  const auto named = std::min<qsizetype>(characters.size(), kNamedCharacters);
  for (qsizetype i = 0; i < named; ++i)
    text += (i == 0 ? "Left out " : i + 1 < characters.size() ? ", " : " and ") + CharacterName(characters[i]);
  if (characters.size() > named) text += " and " + std::to_string(characters.size() - named) + " more";
  if (!characters.isEmpty())
    text += characters.size() == 1 ? ": the files cannot hold it." : ": the files cannot hold them.";
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

void GuardTextField(QLineEdit* edit) {
  edit->setValidator(new TTextGuard(edit));
  new TSteadyCursor(edit);
}

}  // namespace tq
