// What the user types or pastes, and what the program shows back: fields
// that refuse what the files cannot hold, messages that show text as it is,
// paths in their own encoding, and a start-up that stays down after a fatal
// error however long its box stands.
#include <QDialog>
#include <QFileDialog>
#include <QKeyEvent>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QStyleHints>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "AppFixture.h"
#include "QtPlatform.h"

namespace tq::test {
namespace {

using SafeInputTest = AppTest;

QString Utf8(const char* text) { return QString::fromUtf8(text); }

// Types text into a widget key by key, as a keyboard with these characters would.
void TypeKeys(QWidget* widget, const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text.mid(i, n));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, text.mid(i, n));
    QApplication::sendEvent(widget, &release);
    i += n - 1;
  }
}

// Runs action, which opens a modal window of the real Qt platform, and hands
// that window to answer once it is up; answer must close it.
void WithModal(const std::function<void()>& action, const std::function<void(QWidget*)>& answer) {
  bool answered = false;
  std::function<void()> poll;
  poll = [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      answered = true;
      answer(modal);
    } else {
      QTimer::singleShot(10, poll);
    }
  };
  QTimer::singleShot(0, poll);
  action();
  EXPECT_TRUE(answered);
}

// The real Qt platform, installed for one test over the scripted one.
struct RealPlatform {
  RealPlatform() { previous = InstallPlatform(&qt); }
  ~RealPlatform() { InstallPlatform(previous); }
  QtPlatform qt;
  Platform* previous = nullptr;
};

TEST_F(SafeInputTest, AFatalStartErrorAnsweredLateNeverShowsTheMainWindow) {
  for (const char* missing : {"words.dat", "mapping.txt"}) {
    SetUp();
    std::filesystem::remove(dir.File(missing));
    TProgram started(dir.path(), {});
    // The user leaves the error box up well past the splash's time: its
    // event loop runs the splash's timer before the box is answered.
    bool timerFired = false;
    platform.whileMessageShown = [&](const MessageRequest&) {
      QTimer* timer = started.FormSplash()->TimerSplash();
      timer->start(0);
      for (int i = 0; i < 100 && timer->isActive(); ++i) QApplication::processEvents(QEventLoop::AllEvents, 10);
      timerFired = !timer->isActive();
    };
    EXPECT_FALSE(started.Start()) << missing;
    platform.whileMessageShown = nullptr;
    EXPECT_TRUE(timerFired) << missing;
    Settle();
    EXPECT_FALSE(started.FormMain().isVisible()) << missing;
    EXPECT_EQ(started.FormMain().Config(), nullptr) << missing;
    EXPECT_EQ(started.FormMain().CurrentWorksheet(), nullptr) << missing;
    EXPECT_FALSE(dir.Exists("Tessaloquine.cfg")) << missing;
    platform.ClearShown();
    ResetFatalErrorForTesting();
  }
}

TEST(SplashTimer, FiringBeforeTheLoadIsDoneWaitsForIt) {
  TempDir dir;
  QWidget mainWindow;
  TFormSplash splash(dir.path());
  splash.SetMainWindow(&mainWindow);
  splash.TimerSplashTimer();  // inside some box's event loop, during the load
  QApplication::processEvents();
  EXPECT_FALSE(mainWindow.isVisible());
  splash.StartupFinished();
  EXPECT_FALSE(mainWindow.isVisible());  // not from inside start-up itself
  for (int i = 0; i < 5 && !mainWindow.isVisible(); ++i) QApplication::processEvents();
  EXPECT_TRUE(mainWindow.isVisible());
  EXPECT_FALSE(splash.isVisible());
}

TEST_F(SafeInputTest, PastedLineBreaksBecomeBlanksAndTheWorksheetReadsBackExactly) {
  Start();
  QLineEdit* number = Edit("EditNumber");
  number->setFocus();
  number->insert(QStringLiteral("555\r\n1234"));
  EXPECT_EQ(number->text(), "555 1234");
  EXPECT_TRUE(platform.statusAlert);
  EXPECT_NE(platform.statusText.find("Line breaks became blanks"), std::string::npos) << platform.statusText;
  QTest::keyClick(number, Qt::Key_Return);
  QLineEdit* description = Edit("EditDescription");
  description->setFocus();
  description->insert(QStringLiteral("home\nwork\n"));
  EXPECT_EQ(description->text(), "home work ");
  ClickRow(1);
  EnterNumber("42");
  TypeDescription("second");

  platform.QueueText(dir.File("pasted.tqw"));
  Run("MenuSaveAs");
  const std::string saved = dir.Read("pasted.tqw");
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 2 + 4 * 2) << saved;
  RWorksheet back;
  back.SetFileName(dir.File("pasted.tqw"));
  ASSERT_TRUE(back.Load());
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back.At(0).Number(), "555 1234");
  EXPECT_EQ(back.At(0).Description(), "home work ");
  EXPECT_EQ(back.At(0).Phrase(), form->CurrentWorksheet()->At(0).Phrase());
  EXPECT_EQ(back.At(1).Number(), "42");
  EXPECT_EQ(back.At(1).Description(), "second");
}

// A million characters pasted into a description all reach the file and come back.
TEST_F(SafeInputTest, AMillionCharacterDescriptionIsKeptWholeAndReadBack) {
  Start();
  EnterNumber("42");
  const QString pasted(1'000'000, QChar(u'd'));
  QLineEdit* description = Edit("EditDescription");
  description->setFocus();
  description->insert(pasted);
  platform.QueueText(dir.File("long.tqw"));
  Run("MenuSaveAs");
  RWorksheet back;
  back.SetFileName(dir.File("long.tqw"));
  ASSERT_TRUE(back.Load());
  ASSERT_GE(back.Count(), 1);
  EXPECT_EQ(back.At(0).Description(), pasted.toStdString());
}

// Each blink of the cursor repaints, and so lays out, the whole field: a long
// field keeps its cursor still; a short one blinks again.
TEST_F(SafeInputTest, NothingRepaintsALongFieldWhileTheUserDoesNothing) {
  Start();
  QStyleHints* hints = QGuiApplication::styleHints();
  const int flashTime = hints->cursorFlashTime();
  hints->setCursorFlashTime(100);
  QLineEdit* number = Edit("EditNumber");
  number->setFocus();
  number->insert(QString(100'000, QChar(u'7')));
  EXPECT_EQ(hints->cursorFlashTime(), 0);
  number->setText("42");
  EXPECT_EQ(hints->cursorFlashTime(), 100);
  hints->setCursorFlashTime(flashTime);
}

TEST_F(SafeInputTest, FieldsRefuseWhatTheFilesCannotHoldAndSaySo) {
  Start();
  QLineEdit* number = Edit("EditNumber");
  number->setFocus();
  TypeKeys(number, Utf8("12\xCF\x80" "3"));  // 12π3
  EXPECT_EQ(number->text(), "123");
  EXPECT_EQ(number->cursorPosition(), 3);
  EXPECT_TRUE(platform.statusAlert);
  EXPECT_NE(platform.statusDisplay.find("'\xCF\x80'"), std::string::npos) << platform.statusDisplay;

  // Each character is named with its code, which a font without it still shows.
  QLineEdit* description = Edit("EditDescription");
  description->setFocus();
  description->insert(Utf8("caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80!"));  // café 日本 😀!
  EXPECT_EQ(description->text(), Utf8("caf\xC3\xA9  !"));
  EXPECT_EQ(platform.statusDisplay, "Left out '\xE6\x97\xA5' (U+65E5), '\xE6\x9C\xAC' (U+672C) and '\xF0\x9F\x98\x80' "
                                    "(U+1F600): the files cannot hold them.");
  EXPECT_EQ(form->CurrentNumber()->Description(), "caf\xE9  !");
  // A paste of many: the first few, and how many more.
  QString many;
  for (char16_t c = 0x4E00; c < 0x4E00 + 4000; ++c) many += QChar(c);
  description->insert(many + many);
  EXPECT_EQ(platform.statusDisplay, "Left out '\xE4\xB8\x80' (U+4E00), '\xE4\xB8\x81' (U+4E01), '\xE4\xB8\x82' "
                                    "(U+4E02) and 3997 more: the files cannot hold them.");

  // Text the field can hold as it is goes in without a word.
  platform.statusText.clear();
  description->insert(Utf8("\xE2\x82\xAC\xC2\xB7"));  // € and the middle dot are Windows-1252
  EXPECT_TRUE(platform.statusText.empty());

  // The same in the edit-phrase dialog and the other fields that take text.
  for (const char* name : {"FormEditPhrase", "FormDict"}) {
    auto* dialog = form->findChild<QDialog*>(QString::fromLatin1(name));
    ASSERT_NE(dialog, nullptr) << name;
    QLineEdit* edit = dialog->findChild<QLineEdit*>(name == std::string("FormDict") ? "EditFind" : "EditPhrase");
    ASSERT_NE(edit, nullptr) << name;
    edit->clear();
    edit->insert(Utf8("a\xCF\x80\nb"));
    EXPECT_EQ(edit->text(), "a b") << name;
  }
}

TEST_F(SafeInputTest, TheInputBoxRefusesTheSameAndShowsItsPromptAsText) {
  Start();
  RealPlatform real;
  real.qt.SetStatusSink([this](const std::string& text, bool alert) { platform.SetStatus(text, alert); });
  std::string value = "old";
  QString label;
  WithModal([&] { EXPECT_TRUE(CurrentPlatform().InputBox("Add Word", "Enter code for word: <b>x</b>", value)); },
            [&](QWidget* modal) {
              auto* dialog = qobject_cast<QInputDialog*>(modal);
              ASSERT_NE(dialog, nullptr);
              for (QLabel* l : dialog->findChildren<QLabel*>())
                if (l->text().contains("Enter")) {
                  EXPECT_EQ(l->textFormat(), Qt::PlainText);
                  label = l->text();
                }
              QLineEdit* edit = dialog->findChild<QLineEdit*>();
              edit->selectAll();
              edit->insert(Utf8("\xCF\x80zzqx\r\n"));
              EXPECT_EQ(edit->text(), "zzqx ");
              dialog->accept();
            });
  EXPECT_EQ(value, "zzqx ");
  EXPECT_EQ(label, "Enter code for word: <b>x</b>");
  EXPECT_NE(platform.statusDisplay.find("'\xCF\x80'"), std::string::npos) << platform.statusDisplay;
}

TEST_F(SafeInputTest, MessageBoxesShowMarkupAsTextAndPathsInTheirOwnLetters) {
  Start();
  RealPlatform real;
  const std::string path = dir.File("R\xC3\xA9<i>.tqw");  // Ré<i>.tqw, as the file dialogs give it
  for (int which = 0; which < 2; ++which) {
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    WithModal(
        [&] {
          if (which == 0)
            ShowNotice("The word '<b>zzqx</b>' is already in the dictionary.");
          else
            ShowError("Could not read the file '" + NativeText(path) + "'.");
        },
        [&](QWidget* modal) {
          auto* box = qobject_cast<QMessageBox*>(modal);
          ASSERT_NE(box, nullptr);
          shown = box->text();
          format = box->textFormat();
          box->accept();
        });
    EXPECT_EQ(format, Qt::PlainText);
    if (which == 0)
      EXPECT_EQ(shown, "The word '<b>zzqx</b>' is already in the dictionary.");
    else
      EXPECT_EQ(shown, "Error: Could not read the file '" + QString::fromUtf8(path.c_str()) + "'.");
  }
}

TEST_F(SafeInputTest, AFileDialogOpensInTheRememberedNonAsciiFolder) {
  Start();
  const std::string folder = dir.File("\xC3\x89t\xC3\xA9 \xE6\x97\xA5/");  // Été 日
  std::filesystem::create_directory(folder);
  RealPlatform real;
  FileDialogRequest request;
  request.title = "Open Worksheet";
  request.filter = "Tessaloquine Worksheet (*.tqw)|*.tqw";
  request.initialDirectory = folder;
  QString opened;
  WithModal([&] { EXPECT_EQ(CurrentPlatform().OpenFileName(request), ""); },
            [&](QWidget* modal) {
              auto* dialog = qobject_cast<QFileDialog*>(modal);
              ASSERT_NE(dialog, nullptr);
              opened = dialog->directory().absolutePath() + "/";
              dialog->reject();
            });
  EXPECT_EQ(opened, QString::fromUtf8(folder.c_str()));
}

}  // namespace
}  // namespace tq::test
