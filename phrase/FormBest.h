// The Best Phrases dialog: lists the best phrases for the current number
// (fewest words, then common words, then nouns; see BestPhrases.h), each with
// its word count and a mark for every common word and every noun, and hands
// the chosen one to the main window the way the Random Phrase dialog hands
// over its proposal.
//
// One instance lives from start to exit and is shown modally through the
// platform seam:
//
//   FormBest->Prepare(EditNumber text, CurrentNumber->Digits());
//   if (CurrentPlatform().RunModal(FormBest) != ResultOk) return;
//   FormBest->ApplyPhraseTo(*CurrentNumber);
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "BestPhrases.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QWidget;

namespace tq {

class RDictionary;
class RNumber;

class TFormBest : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 2250;
  // How many phrases the list shows.
  static constexpr std::size_t kPhraseCount = 20;
  // The list's columns.
  enum Column { ColumnPhrase, ColumnWords, ColumnCommon, ColumnPictures, ColumnCount };

  explicit TFormBest(RDictionary& dictionary, QWidget* parent = nullptr);

  // The number as the main window shows it, and the digits the phrases are
  // found for. Every showing lists the phrases afresh, so changes to the
  // dictionary or the mapping are always followed.
  void Prepare(const std::string& numberText, const std::string& digits);

  // The chosen phrase (Windows-1252): after OK, the accepted one; empty when
  // the list is empty.
  std::string Phrase() const;
  // Gives `number` the accepted phrase and the slots read from it.
  void ApplyPhraseTo(RNumber& number) const;

  // Esc and the close box are the Cancel button.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void FillList();
  void ButtonAcceptClick();
  void ButtonCancelClick();
  void ButtonHelpClick();

  const RDictionary& dictionary_;
  std::string digits_;
  std::vector<RankedPhrase> phrases_;

  QLabel* LabelNumber;
  QLineEdit* EditNumber;
  QTableWidget* ListPhrases;
  QLabel* LabelKey;
  QWidget* PanelButtons;
  QPushButton* ButtonAccept;
  QPushButton* ButtonCancel;
  QPushButton* ButtonHelp;
};

}  // namespace tq
