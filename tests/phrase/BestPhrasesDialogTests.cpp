// The Best Phrases dialog driven offscreen with keys and the mouse.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "Codec.h"
#include "FormBest.h"
#include "PhraseFixture.h"
#include "RNumber.h"
#include "ScriptedPlatform.h"

namespace tq {
namespace {

void EnsureApp() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "tq_phrasedialogs_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

class BestPhrasesDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    // Of the words for 123: denim is rare, tin common but no noun, tie,
    // enemy and ma common nouns, and only tie and enemy can be pictured.
    dir.Write("wordinfo.dat", "denim,70,-\nenemy,10,n,p\nma,20,n\ntie,10,n,p\ntin,20,-\n");
    test::LoadDictionary(dict, dir, test::CommonWords());
    dict.LoadWordKnowledge();
    form = std::make_unique<TFormBest>(dict);
    list = form->findChild<QTableWidget*>("ListPhrases");
  }
  void TearDown() override { EXPECT_TRUE(platform.AllAnswersUsed()); }

  QPushButton* Button(const char* name) const { return form->findChild<QPushButton*>(name); }
  QString Cell(int row, int column) const { return list->item(row, column)->text(); }
  // Every digit has its words: every phrase is whole.
  static std::string Digits(std::size_t length) {
    std::string out;
    while (out.size() < length) out += "12345";
    return out.substr(0, length);
  }
  void ShowFor(const std::string& number, const std::string& digits) {
    form->Prepare(number, digits);
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }

  test::ScriptedPlatform platform;
  test::TempDir dir;
  RDictionary dict;
  std::unique_ptr<TFormBest> form;
  QTableWidget* list = nullptr;
};

TEST_F(BestPhrasesDialog, ListsThePhrasesBestFirstWithTheirCountsAndMarks) {
  EXPECT_EQ(form->windowTitle(), "Best Phrases");
  ShowFor("1-23", "123");
  // The number is there to read, not a box to type another number in.
  const QLineEdit* number = form->findChild<QLineEdit*>("EditNumber");
  EXPECT_EQ(number->text(), "1-23");
  EXPECT_TRUE(number->isReadOnly());
  EXPECT_FALSE(number->hasFrame());
  EXPECT_EQ(number->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(number->palette().color(QPalette::Base), form->palette().color(QPalette::Window));
  ASSERT_GE(list->rowCount(), 3);
  // Pictures first, at the cost of a word more; then the one word.
  EXPECT_EQ(Cell(0, TFormBest::ColumnPhrase), "tie enemy");
  EXPECT_EQ(Cell(0, TFormBest::ColumnWords), "2");
  EXPECT_EQ(Cell(1, TFormBest::ColumnPhrase), "denim");
  EXPECT_EQ(Cell(1, TFormBest::ColumnWords), "1");
  // Filled marks for common words and pictures, hollow ones for the others.
  EXPECT_EQ(Cell(0, TFormBest::ColumnCommon), QString::fromUtf8("\xE2\x97\x8F\xE2\x97\x8F"));
  EXPECT_EQ(Cell(0, TFormBest::ColumnPictures), QString::fromUtf8("\xE2\x98\x85\xE2\x98\x85"));
  EXPECT_EQ(Cell(1, TFormBest::ColumnCommon), QString::fromUtf8("\xE2\x97\x8B"));
  const QString tinRow = QString::fromUtf8("tin ");
  int tinRows = 0;
  for (int row = 0; row < list->rowCount(); ++row) {
    if (!Cell(row, TFormBest::ColumnPhrase).startsWith(tinRow)) continue;
    ++tinRows;
    EXPECT_EQ(Cell(row, TFormBest::ColumnPictures).left(1), QString::fromUtf8("\xE2\x98\x86"));
  }
  EXPECT_GT(tinRows, 0);
  EXPECT_EQ(list->currentRow(), 0);
  EXPECT_EQ(QApplication::focusWidget(), list);
}

TEST_F(BestPhrasesDialog, EnterAndDoubleClickTakeTheChosenPhraseEscapeCancels) {
  ShowFor("123", "123");
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->result(), ResultOk);
  EXPECT_EQ(form->Phrase(), "denim");
  RNumber entry;
  entry.SetNumber("123");
  form->ApplyPhraseTo(entry);
  EXPECT_EQ(entry.Phrase(), "denim");
  EXPECT_EQ(entry.Slots(), (std::vector<std::string>{"denim"}));

  ShowFor("123", "123");
  EXPECT_EQ(list->currentRow(), 0) << "every showing starts again from the best phrase";
  const QRect third = list->visualRect(list->model()->index(2, TFormBest::ColumnPhrase));
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, third.center());
  EXPECT_EQ(form->result(), ResultOk);
  EXPECT_EQ(ToQString(form->Phrase()), Cell(2, TFormBest::ColumnPhrase));

  ShowFor("123", "123");
  QTest::keyClick(list, Qt::Key_Escape);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->result(), ResultCancel);
}

TEST_F(BestPhrasesDialog, UncoveredDigitsBecomeUncoveredSlots) {
  ShowFor("1-9-2", "192");
  ASSERT_GE(list->rowCount(), 1);
  const std::string mark(1, kUncoveredMark);
  // Tie is the one common word; the uncovered digit shows as in the entry.
  EXPECT_EQ(form->Phrase(), "tie " + mark + " knee");
  EXPECT_EQ(Cell(0, TFormBest::ColumnPhrase), ToQString("tie " + mark + " knee"));
  EXPECT_EQ(Cell(0, TFormBest::ColumnWords), "2");
  QTest::keyClick(list, Qt::Key_Enter);
  RNumber entry;
  entry.SetNumber("1-9-2");
  form->ApplyPhraseTo(entry);
  ASSERT_EQ(entry.SlotCount(), 3);
  EXPECT_EQ(entry.Slot(1), ".");
}

TEST_F(BestPhrasesDialog, HelpButtonAndF1OpenTheirOwnTopic) {
  ShowFor("12", "12");
  QTest::mouseClick(Button("ButtonHelp"), Qt::LeftButton);
  QTest::keyClick(list, Qt::Key_F1);
  ASSERT_EQ(platform.shown().size(), 2u);
  for (const auto& shown : platform.shown()) {
    EXPECT_EQ(shown.kind, "help");
    EXPECT_EQ(shown.topic, TFormBest::kHelpContext);
  }
  EXPECT_TRUE(form->isVisible());
}

TEST_F(BestPhrasesDialog, RunsModallyThroughThePlatformAndFollowsTheDictionary) {
  dict.RemoveWord("denim");
  dict.BuildCodeIndex();
  platform.QueueModal([](QDialog* dialog) {
    dialog->show();
    dialog->findChild<QPushButton*>("ButtonAccept")->click();
    return dialog->result();
  });
  form->Prepare("123", "123");
  EXPECT_EQ(CurrentPlatform().RunModal(form.get()), ResultOk);
  EXPECT_EQ(form->Phrase(), "tie enemy");
}

TEST_F(BestPhrasesDialog, ALongSearchShowsProgressLeavesTheWindowAnsweringAndEndsWithTheDialog) {
  // Held at its first report past the start until told to stop: mid-search
  // however fast.
  std::atomic<bool> stopped{false};
  form->SetSearch([this, &stopped](std::string_view digits, std::size_t count, const SearchProgress& progress) {
    return FindBestPhrases(dict, digits, count, [&](std::size_t done, std::size_t total) {
      if (done == 0) return progress(done, total);
      while (progress(done, total)) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      stopped = true;
      return false;
    });
  });
  const std::string digits = Digits(10000);
  auto* progress = form->findChild<QProgressBar*>("ProgressSearch");
  ShowFor(digits, digits);
  // Up before the search ends, with a bar that moves, no phrase to accept,
  // and keys answered.
  ASSERT_NE(progress, nullptr);
  EXPECT_TRUE(progress->isVisible());
  EXPECT_FALSE(Button("ButtonAccept")->isEnabled());
  ASSERT_TRUE(QTest::qWaitFor([progress] { return progress->value() > 0; }, 60000));
  QTest::keyClick(list, Qt::Key_F1);
  EXPECT_EQ(platform.shown().size(), 1u);
  EXPECT_FALSE(stopped);
  // Cancel stops the search; the dialog closes once it has.
  QTest::mouseClick(Button("ButtonCancel"), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([this] { return !form->isVisible(); }, 60000));
  EXPECT_EQ(form->result(), ResultCancel);
  EXPECT_TRUE(stopped);
  EXPECT_FALSE(progress->isVisible());

  // Destroyed mid-search, it stops the search and waits for it.
  stopped = false;
  ShowFor(digits, digits);
  ASSERT_TRUE(QTest::qWaitFor([progress] { return progress->value() > 0; }, 60000));
  form.reset();
  EXPECT_TRUE(stopped);
}

TEST_F(BestPhrasesDialog, FitsItsPhrasesWithinTheScreenAndTipsEachOneWhole) {
  const QRect screen = form->screen()->availableGeometry();
  for (const std::size_t length : {3u, 40u, 150u, 3000u}) {
    const std::string digits = Digits(length);
    ShowFor(digits, digits);
    ASSERT_TRUE(QTest::qWaitFor([this] { return list->rowCount() > 0; }, 60000)) << length;
    EXPECT_TRUE(screen.contains(form->frameGeometry())) << length;
    // Phrases shown whole, unless the dialog is as wide as the screen allows.
    const int needed = static_cast<QAbstractItemView*>(list)->sizeHintForColumn(TFormBest::ColumnPhrase);
    EXPECT_TRUE(list->columnWidth(TFormBest::ColumnPhrase) >= needed ||
                form->frameGeometry().width() == screen.width())
        << length;
    const QString phrase = ToQString(form->Phrase());
    const QString row = Cell(0, TFormBest::ColumnPhrase);
    if (static_cast<std::size_t>(phrase.size()) <= TFormBest::kLongestShown) {
      EXPECT_EQ(row, phrase);
      EXPECT_EQ(list->item(0, TFormBest::ColumnPhrase)->toolTip(), phrase);
    } else {  // longer than any screen: the row keeps the beginning and the end
      EXPECT_LE(static_cast<std::size_t>(row.size()), TFormBest::kLongestShown);
      EXPECT_TRUE(row.startsWith(phrase.left(100)) && row.endsWith(phrase.right(100)));
    }
    form->hide();
  }
  // Still the user's to resize.
  EXPECT_LT(form->minimumWidth(), form->maximumWidth());
  // Room for a title bar and borders as a window manager draws them: on a
  // screen of 640 by 480 the buttons stay on it.
  const QSize least = form->minimumSizeHint().expandedTo(form->minimumSize()) + QSize(2 * 4, 30 + 4);
  EXPECT_LE(least.width(), 640);
  EXPECT_LE(least.height(), 480);
}

}  // namespace
}  // namespace tq
