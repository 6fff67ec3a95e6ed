// Keeps a single-line field to what the program's files can hold. Text
// typed, pasted or dropped into the field is cleaned as it comes in: a line
// break becomes a blank (every file keeps one value per line), and characters
// that Windows-1252 cannot hold are left out rather than turned into '?' at
// the next save. The user is told at once, in the status bar and in a tip
// beside the field, naming the characters left out. A field holding a very
// long text keeps its cursor steady: blinking would repaint all of it twice a
// second while the user does nothing.
#pragma once

#include <QString>
#include <QValidator>
#include <string>

class QLineEdit;

namespace tq {

class TTextGuard : public QValidator {
  Q_OBJECT

 public:
  explicit TTextGuard(QLineEdit* edit);
  State validate(QString& input, int& pos) const override;

 private:
  QLineEdit* edit_;
};

// Installs a guard on the field (owned by it), and the steady cursor.
void GuardTextField(QLineEdit* edit);

// What a guard says when it changed the input: the characters left out
// (empty when none) and whether line breaks became blanks. Empty when
// nothing changed. The first few characters are named, each with its code,
// the rest counted. The characters travel as native text (Messages.h).
std::string RefusalText(const QString& leftOut, bool lineBreaks);

}  // namespace tq
