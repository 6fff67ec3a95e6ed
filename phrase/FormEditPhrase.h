// The Edit Phrase dialog: the user types the whole phrase for the current
// number, and OK checks it word by word against the number's digits,
// offering to add unknown words and to recode words that do not fit. Only a
// phrase that passes closes the dialog with OK.
//
// One instance lives from start to exit and is shown modally through the
// platform seam:
//
//   FormEditPhrase->PrepareEditPhrase(EditPhrase text, EditNumber text);
//   if (CurrentPlatform().RunModal(FormEditPhrase) != ResultOk) return;
//   FormEditPhrase->ApplyAcceptedPhrase(*CurrentNumber);
//   ... RebuildColumns; if (FormEditPhrase->DictionaryChanged()) RefillColumns; ...
#pragma once

#include <QDialog>
#include <string>

#include "PhraseCheck.h"

class QLineEdit;
class QPushButton;
class QWidget;

namespace tq {

class RDictionary;
class RNumber;
class TNumberLabel;

class TFormEditPhrase : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 2300;

  explicit TFormEditPhrase(RDictionary& dictionary, QWidget* parent = nullptr);

  // The phrase to start from (as the main window shows it) and the number
  // it is checked against.
  void PrepareEditPhrase(const std::string& phrase, const std::string& number);

  // True when the dialog added a word or changed a code since it was last
  // shown, however it closed.
  bool DictionaryChanged() const { return check_.DictionaryChanged(); }
  // After OK: the phrase that passed, lower-cased, spacing as typed.
  const std::string& AcceptedPhrase() const { return check_.AcceptedPhrase(); }
  // After OK: gives `current` the accepted phrase and the slots read from it.
  void ApplyAcceptedPhrase(RNumber& current) const { check_.ApplyTo(current); }

  // Esc and the close box are the Cancel button.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void ButtonOKClick();
  void ButtonCancelClick();
  void ButtonHelpClick();

  // Holds WorkNumber and DictionaryChanged.
  RPhraseCheck check_;

  QWidget* PanelMain;
  TNumberLabel* LabelPhrase;
  QLineEdit* EditPhrase;
  QWidget* PanelBottom;
  QPushButton* ButtonOK;
  QPushButton* ButtonCancel;
  QPushButton* ButtonHelp;
};

}  // namespace tq
