// What the Random Phrase and Best Phrases dialogs have in common: each
// proposes phrases for the current number, and the main window takes the
// one the user accepts into the entry the same way from either:
//
//   dialog->Prepare(EditNumber text, CurrentNumber->Digits());
//   if (CurrentPlatform().RunModal(dialog) != ResultOk) return;
//   dialog->ApplyPhraseTo(*CurrentNumber);
#pragma once

#include <QDialog>
#include <string>

namespace tq {

class RNumber;

class TPhraseProposal : public QDialog {
  Q_OBJECT

 public:
  using QDialog::QDialog;

  // The number as the main window shows it, and the digits the phrases are
  // made for.
  virtual void Prepare(const std::string& numberText, const std::string& digits) = 0;
  // The phrase proposed (Windows-1252): after OK, the accepted one.
  virtual std::string Phrase() const = 0;
  // Gives `number` the accepted phrase and the slots read from it.
  void ApplyPhraseTo(RNumber& number) const;
};

}  // namespace tq
