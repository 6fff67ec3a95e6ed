// The strip of word columns in the lower right of the main window: one column
// per slot of the current entry (a chosen word or one uncovered digit), each
// with the chosen word's button on top, the list of words that fit there in
// the middle and the count of those words below. Choosing and un-choosing
// words, the phrase preview and the first-letter jump happen here; the slot
// arithmetic itself is plain C++ in SlotLogic.h.
//
// The main window owns this widget and the entry; the widget tells it what to
// show and what changed through signals.
#pragma once

#include <QScrollArea>
#include <QString>
#include <string>

namespace tq {

class RConfig;
class RDictionary;
class RNumber;

class TWordColumns : public QScrollArea {
  Q_OBJECT

 public:
  TWordColumns(RDictionary& dictionary, QWidget* parent = nullptr);
  ~TWordColumns() override;

  // WordListWidth lives in the configuration; null until the first show.
  void SetConfig(RConfig* config);
  // The entry the columns belong to; null when no worksheet is open.
  void SetCurrentNumber(RNumber* number);

  // Takes the typed number into the entry and refits its slots. Returns true
  // when the digits changed (the caller then marks the worksheet modified and
  // keeps its blank rows); false when only the entry's row needs refreshing.
  bool CommitNumber(const std::string& typed);
  // Checks that the chosen words still exist and fit; repairs and warns.
  // True when nothing had to change.
  bool ValidateSlots();
  void RebuildColumns();
  void RefreshPhrase();
  void RefillColumns();
  void DeleteAllColumns();

  int ColumnCount() const;

 signals:
  // EditPhrase should show this text (the entry's phrase, maybe a preview).
  void PhraseShown(const QString& phrase);
  // The entry's number, phrase or description changed: refresh its row.
  void NumberRowChanged();
  // A word was chosen or un-chosen: the worksheet is modified.
  void WorksheetModified();

 private:
  struct Private;
  Private* d_;
};

}  // namespace tq
