// The Best Phrases dialog: lists the best phrases for the current number
// (pictures, then the fewest words, then common words; see BestPhrases.h),
// each with its word count and a mark for every common word and every word
// one can picture, and hands the chosen one to the main window the way the
// Random Phrase dialog hands over its proposal.
//
// How many phrases it lists, and which numbers it searches before it first
// paints, are the search's limits (BestPhrases.h). The search of a longer
// number runs on a thread of its own while the dialog shows its
// progress, so a number of a million digits leaves the window responsive.
// Cancel stops the search and closes the dialog once the search has stopped;
// any other way of closing or destroying the dialog stops the search and
// waits for its thread. Either way no search outlives its showing, so the
// dictionary it reads never changes under it. The rows hold at most a
// screenful of each phrase, elided in the middle; the tool tip holds the
// whole phrase, and the dialog sizes itself to its rows within the screen.
//
// One instance lives from start to exit and is shown modally through the
// platform seam, as every phrase proposal is (PhraseProposal.h).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "BestPhrases.h"
#include "PhraseProposal.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QWidget;

namespace tq {

class RDictionary;

class TFormBest : public TPhraseProposal {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 2250;
  // The list's columns.
  enum Column { ColumnPhrase, ColumnWords, ColumnCommon, ColumnPictures, ColumnCount };
  // The most characters a cell or a tool tip holds: more than the widest
  // screen shows, few enough that measuring and drawing the row costs
  // nothing. A longer text keeps its beginning and its end.
  static constexpr std::size_t kLongestShown = 2000;

  // How the dialog finds its phrases: FindBestPhrases on its dictionary
  // unless SetSearch says otherwise. On its own thread for a long number.
  using BestSearch = std::function<std::vector<RRankedPhrase>(std::string_view digits, std::size_t count,
                                                             const SearchProgress& progress)>;

  explicit TFormBest(RDictionary& dictionary, QWidget* parent = nullptr);
  ~TFormBest() override;

  // Replaces the search, for example to hold it at a point (tests). Not
  // while the dialog is shown.
  void SetSearch(BestSearch search);

  // Every showing lists the phrases afresh, so changes to the dictionary
  // or the mapping are always followed.
  void Prepare(const std::string& numberText, const std::string& digits) override;
  // The chosen phrase: after OK, the accepted one; empty when the list is
  // empty.
  std::string Phrase() const override;

  // Esc and the close box are the Cancel button.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  struct SearchRun;

  void FormShow();
  void StartSearch();
  // Stops the running search, if any, and waits for its thread.
  void StopSearch();
  void SearchProgressed(unsigned id);
  void SearchFinished(unsigned id);
  void ShowPhrases(const std::vector<RRankedPhrase>& found);
  void FillList(const std::vector<RRankedPhrase>& found);
  // Sizes the dialog to its rows, within the screen.
  void FitToContents();
  void ButtonAcceptClick();
  void ButtonCancelClick();
  void ButtonHelpClick();

  const RDictionary& dictionary_;
  BestSearch search_;
  std::string digits_;
  // The whole text of every row's phrase, for Accept.
  std::vector<std::string> phrases_;
  // The search under way: its thread and what it shares with the window.
  std::thread thread_;
  std::unique_ptr<SearchRun> run_;
  unsigned lastRunId_ = 0;
  // Cancel was pressed during a search: the dialog closes once it has stopped.
  bool closing_ = false;

  QLabel* LabelNumber;
  QLineEdit* EditNumber;
  QTableWidget* ListPhrases;
  QLabel* LabelKey;
  QWidget* PanelButtons;
  QProgressBar* ProgressSearch;
  QPushButton* ButtonAccept;
  QPushButton* ButtonCancel;
  QPushButton* ButtonHelp;
};

// The mark a word gets for whether it names a thing one can picture: a
// filled star or a hollow one, here and in the Journey window alike.
QString PictureMark(bool pictured);

}  // namespace tq
