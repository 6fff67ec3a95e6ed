// The Random Phrase dialog: proposes a whole phrase for the current number at
// once, another one on every "Try Again", and hands the proposal to the main
// window when the user accepts it. The proposal lives only in EditPhrase.
//
// One instance lives from start to exit and is shown modally through the
// platform seam, as every phrase proposal is (PhraseProposal.h).
#pragma once

#include <string>

#include "PhraseProposal.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tq {

class RDictionary;

class TFormRandom : public TPhraseProposal {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 2200;

  explicit TFormRandom(RDictionary& dictionary, QWidget* parent = nullptr);

  // Every showing proposes a phrase for these digits.
  void Prepare(const std::string& numberText, const std::string& digits) override;
  // The proposal on screen: after OK, the accepted phrase.
  std::string Phrase() const override;

  // Esc and the close box are the Cancel button.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void GenerateRandomPhrase();
  void ButtonTryAgainClick();
  void ButtonAcceptClick();
  void ButtonCancelClick();
  void ButtonHelpClick();

  const RDictionary& dictionary_;
  std::string digits_;

  QLabel* LabelNumber;
  QLineEdit* EditNumber;
  QLabel* LabelPhrase;
  QLineEdit* EditPhrase;
  QWidget* PanelButtons;
  QPushButton* ButtonAccept;
  QPushButton* ButtonTryAgain;
  QPushButton* ButtonCancel;
  QPushButton* ButtonHelp;
};

}  // namespace tq
