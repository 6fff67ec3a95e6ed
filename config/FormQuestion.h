// The program's one yes/no(/cancel) question. It carries a "Don't ask me
// again" box through which the user switches off the confirmation being
// shown, by clearing the preference that governs it. One instance is created
// at start and shown modally, through the platform seam, as often as needed.
#pragma once

#include <QDialog>
#include <string>

class QCheckBox;
class QLabel;
class QPushButton;

namespace tq {

class RConfig;

class TFormQuestion : public QDialog {
  Q_OBJECT

 public:
  // The confirmations that can be switched off from the question itself.
  enum class Preference { AskSave, AskDelete };

  explicit TFormQuestion(QWidget* parent = nullptr);

  // Lays the buttons out for a question with or without Cancel and sets the
  // question's text. The layout changes only when the kind of question does,
  // so two questions of one kind in a row never move the buttons twice.
  void SetQuestion(const std::string& text, bool withCancel);
  bool CancelShown() const { return withCancel_; }
  // Read by the caller once the dialog has closed.
  bool DontAskAgain() const;

  // Asks the question the way every confirmation does: not at all when the
  // user switched it off (closing a worksheet then goes on without saving,
  // deleting goes ahead), else modally; a checked "Don't ask me again" clears
  // the preference whichever button closed the dialog. Returns 6, 7 or 2.
  int Ask(RConfig& config, Preference preference, const std::string& text, bool withCancel);

  // The close box, and Escape while Cancel shows, answer Cancel.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FormShow();

  QLabel* ImageQuestion;
  QLabel* LabelQuestion;
  QPushButton* ButtonYes;
  QPushButton* ButtonNo;
  QPushButton* ButtonCancel;
  QCheckBox* CheckAsk;
  // The designed layout shows all three buttons.
  bool withCancel_ = true;
  // How far a long question has grown the box below its designed size.
  int grown_ = 0;
};

}  // namespace tq
