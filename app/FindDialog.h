// The modeless find dialog of the numbers list: a search text, match case,
// whole word and the direction. Its Find Next button asks the main window to
// search; the dialog stays open so the user can press it again.
#pragma once

#include <QDialog>
#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tq {

class TFindDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit TFindDialog(QWidget* parent = nullptr);

  std::string FindText() const;
  bool MatchCase() const;
  bool WholeWord() const;
  bool Down() const;

  // Shows the dialog (or brings it forward) with the search text selected.
  void Open();

 signals:
  void FindNext();

 private:
  QLineEdit* EditFind;
  QCheckBox* CheckWholeWord;
  QCheckBox* CheckMatchCase;
  QRadioButton* RadioUp;
  QRadioButton* RadioDown;
  QPushButton* ButtonFindNext;
  QPushButton* ButtonCancel;
};

}  // namespace tq
