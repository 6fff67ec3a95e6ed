// The Edit Phrase dialog driven offscreen: OK closes only on a phrase that
// passes the check; every stop leaves the dialog open on the typed text.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "Codec.h"
#include "FormEditPhrase.h"
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

class EditPhraseDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    test::LoadDictionary(dict, dir, test::CommonWords());
    form = std::make_unique<TFormEditPhrase>(dict);
  }
  void TearDown() override {
    EXPECT_TRUE(platform.AllAnswersUsed());
    EXPECT_EQ(platform.busyDepth, 0);
  }

  QLineEdit* EditPhrase() const { return form->findChild<QLineEdit*>("EditPhrase"); }
  void Click(const char* name) const { QTest::mouseClick(form->findChild<QPushButton*>(name), Qt::LeftButton); }
  void Open(const std::string& phrase, const std::string& number) {
    form->PrepareEditPhrase(phrase, number);
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  void Type(const std::string& text) const { EditPhrase()->setText(ToQString(text)); }

  test::ScriptedPlatform platform;
  test::TempDir dir;
  RDictionary dict;
  std::unique_ptr<TFormEditPhrase> form;
};

TEST_F(EditPhraseDialog, ShowsTheNumberAndPhraseAndEnterChecksIt) {
  const std::string shown = " tin \xB7 \xB7";
  Open(shown, "12-34");
  EXPECT_EQ(form->windowTitle(), "Edit Phrase");
  EXPECT_EQ(form->findChild<QLabel*>("LabelPhrase")->text(), "Edit phrase for number 12-34:");
  EXPECT_EQ(FromQString(EditPhrase()->text()), shown);
  EXPECT_EQ(QApplication::focusWidget(), EditPhrase());

  Type("Tin MA ray");
  QTest::keyClick(EditPhrase(), Qt::Key_Return);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->result(), ResultOk);
  RNumber current;
  form->ApplyAcceptedPhrase(current);
  EXPECT_EQ(current.Phrase(), "tin ma ray");
  EXPECT_EQ(current.SlotCount(), 3);
}

TEST_F(EditPhraseDialog, StopsKeepTheDialogOpenOnTheTypedText) {
  Open("   ", "1234");
  Click("ButtonOK");
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Error: Please enter a phrase."});
  EXPECT_TRUE(form->isVisible());

  Type("Tan ma ray");
  platform.QueueAnswer(ResultCancel);  // do not add "tan"
  Click("ButtonOK");
  Type("ray");
  platform.QueueAnswer(ResultOk);  // recode "ray" for the 1...
  platform.QueueText("", false);   // ...but cancel the input box
  Click("ButtonOK");
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(FromQString(EditPhrase()->text()), "ray");
  EXPECT_EQ(QApplication::focusWidget(), EditPhrase());
  EXPECT_FALSE(form->DictionaryChanged());
}

TEST_F(EditPhraseDialog, AddedWordClosesWithOkAndIsReportedUntilTheNextShowing) {
  Open("tan ma ray", "1234");
  platform.QueueAnswer(ResultOk);
  Click("ButtonOK");
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{
                "Error: Word 'tan' is not found in the dictionary. Would you like to add this word?"});
  EXPECT_EQ(form->result(), ResultOk);
  EXPECT_TRUE(form->DictionaryChanged());

  Open("tan", "1234");
  EXPECT_FALSE(form->DictionaryChanged());
  Click("ButtonCancel");
  EXPECT_EQ(form->result(), ResultCancel);
}

TEST_F(EditPhraseDialog, EscapeIsCancelAndHelpOpensTopic2300) {
  Open("tin", "12");
  Click("ButtonHelp");
  ASSERT_EQ(platform.shown().size(), 1u);
  EXPECT_EQ(platform.shown()[0].topic, 2300);
  EXPECT_TRUE(form->isVisible());
  QTest::keyClick(EditPhrase(), Qt::Key_Escape);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->result(), ResultCancel);
}

// A number of `length` digits: 0123456789 over and over.
std::string Digits(int length) {
  std::string digits;
  for (int i = 0; i < length; ++i) digits += static_cast<char>('0' + i % 10);
  return digits;
}

TEST_F(EditPhraseDialog, StaysWholeAndCentredOnTheScreenForNumbersOfAnyLength) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  auto* label = form->findChild<QLabel*>("LabelPhrase");
  // Long after short and short after long: each showing is placed by its own size.
  for (int length : {5, 350, 2000, 12, 350, 1}) {
    SCOPED_TRACE(length);
    const std::string number = Digits(length);
    Open("", number);
    QApplication::processEvents();
    const QRect frame = form->frameGeometry();
    EXPECT_TRUE(area.contains(frame));
    EXPECT_LE(std::abs(frame.center().x() - area.center().x()), 1);
    EXPECT_LE(std::abs(frame.center().y() - area.center().y()), 1);
    // The caption shows the number from its start, as much as fits.
    const std::string caption = FromQString(label->text());
    EXPECT_EQ(caption.rfind("Edit phrase for number " + number.substr(0, 4), 0), 0u) << caption;
    EXPECT_EQ(caption.back(), ':');
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width());
    EXPECT_EQ(FromQString(label->toolTip()), "Edit phrase for number " + number + ":");
    Click("ButtonCancel");
  }
}

TEST_F(EditPhraseDialog, GrowsInWidthWithItsControlsButKeepsItsHeight) {
  Open("tin", Digits(350));
  QApplication::processEvents();
  auto* label = form->findChild<QLabel*>("LabelPhrase");
  auto* help = form->findChild<QPushButton*>("ButtonHelp");
  const QSize start = form->size();
  const int editWidth = EditPhrase()->width();
  const int helpMargin = form->width() - help->mapTo(form.get(), QPoint(help->width(), 0)).x();
  const qsizetype shown = label->text().size();
  EXPECT_LT(form->minimumWidth(), form->maximumWidth());
  EXPECT_EQ(form->minimumHeight(), form->maximumHeight());

  form->resize(start.width() + 200, start.height() + 200);
  QApplication::processEvents();
  EXPECT_EQ(form->size(), QSize(start.width() + 200, start.height()));
  EXPECT_EQ(EditPhrase()->width(), editWidth + 200);
  EXPECT_EQ(form->width() - help->mapTo(form.get(), QPoint(help->width(), 0)).x(), helpMargin);
  EXPECT_GT(label->text().size(), shown) << "a wider dialog shows more of the number";
  EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width());
}

}  // namespace
}  // namespace tq
