// The small dialog File › Print and File › Export PDF open first: what goes
// on paper, the journey of the current number or the whole worksheet. It
// remembers the last choice while the program runs; the journey can only be
// chosen when the current number has one.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;

namespace tq {

class TFormPrintChoice final : public QDialog {
  Q_OBJECT

 public:
  explicit TFormPrintChoice(QWidget* parent = nullptr);

  // caption: the command's name ("Print", "Export PDF"); places: how many
  // places the current number's journey has (0 when it has none yet);
  // numbers: how many numbers the worksheet has to print.
  void Prepare(const QString& caption, int places, int numbers);
  bool JourneyChosen() const;

  QLabel* LabelWhat;
  QRadioButton* RadioJourney;
  QRadioButton* RadioWorksheet;
  QPushButton* ButtonOk;
  QPushButton* ButtonCancel;

 private:
  bool journeyLast_ = true;  // what was chosen the last time, or first of all
};

}  // namespace tq
