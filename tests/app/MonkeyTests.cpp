// A seeded monkey on the real main window: a few thousand random commands,
// keys, clicks, typed and pasted texts, with every question, input box, file
// dialog and modal dialog answered at random (the dialogs get random clicks
// and texts of their own before they close). Between stretches of play and at
// the end, the worksheet is saved, read back, opened in the window and saved
// once more: what comes back must be what went out, each time.
//
// TQ_MONKEY_STEPS sets the steps per run (the build's default is smaller
// under the sanitizers), TQ_MONKEY_SEED shifts the seeds to explore others,
// and TQ_MONKEY_TRACE=1 prints every step, for a run that brings the program
// down before the test can say where.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialog>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QListView>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <random>
#include <tuple>

#include "AppFixture.h"
#include "FindDialog.h"
#include "RDictionary.h"
#include "WordColumns.h"

#ifndef TQ_MONKEY_STEPS
#define TQ_MONKEY_STEPS 2500
#endif

namespace tq::test {
namespace {

// Steps between two save-and-reload checks within a run.
constexpr int kCheckEvery = 250;

int EnvNumber(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::atoi(value) : fallback;
}

// (number, phrase, description) of every entry up to the last used one:
// what a worksheet file holds.
using Entries = std::vector<std::tuple<std::string, std::string, std::string>>;

Entries EntriesOf(const RWorksheet& worksheet) {
  Entries out;
  int n = worksheet.Count();
  while (n > 0 && worksheet.At(n - 1).IsEmpty()) --n;
  for (int i = 0; i < n; ++i) {
    const RNumber& e = worksheet.At(i);
    out.emplace_back(e.Number(), e.Phrase(), e.Description());
  }
  return out;
}

// The same with every uncovered digit shown plainly: a phrase saved while a
// word's digits were previewed holds bullets, which showing the entry again
// turns back into dots. A proposed phrase taken as it stands has no leading
// blank until it is next composed, which showing the entry again may do.
Entries Unhighlighted(Entries entries) {
  for (auto& entry : entries) {
    std::string& phrase = std::get<1>(entry);
    for (char& c : phrase)
      if (c == kHighlightMark) c = kUncoveredMark;
    if (!phrase.empty() && phrase.front() == ' ') phrase.erase(0, 1);
  }
  return entries;
}

Entries EntriesOfFile(const std::string& path) {
  RWorksheet file;
  file.SetFileName(path);
  EXPECT_TRUE(file.Load()) << path;
  return EntriesOf(file);
}

// Thousands of clicks on widgets that are not where a real mouse would be,
// and windows the offscreen platform cannot raise or grab, make the test
// library and the platform complain every time; nothing to learn there.
void QuietOffscreenNoise(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtWarningMsg && (message.startsWith(QLatin1String("Mouse event")) ||
                               message.startsWith(QLatin1String("This plugin does not support"))))
    return;
  std::fprintf(stderr, "%s\n", qPrintable(message));
}

class MonkeyTest : public AppTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    seed_ = static_cast<unsigned>(GetParam() + EnvNumber("TQ_MONKEY_SEED", 0));
    rng_.seed(seed_);
    // The random phrase draws from the C library's generator; the dialog
    // seeds it from the clock when it opens, so its phrases still vary.
    std::srand(seed_);
    trace_ = EnvNumber("TQ_MONKEY_TRACE", 0) != 0;
    clock_.start();
    previousHandler_ = qInstallMessageHandler(QuietOffscreenNoise);
    // Files for the open dialog to offer besides the worksheets saved on the way.
    out_.Write("list.txt", std::string("# my words\nZebra\nna\xefve\n\ntin\n") +
                               "  padded  \nice cream\n.dot\n");
    out_.Write("broken.tqw", "#Tessaloquine - 1\n#Count = 3\nN:12\nP: tin\n");
    out_.Write("other.tqw", WorksheetText({{"555-1234", "", "phone"}, {"", "", ""}, {"13", " dime", "d\xe9j\xe0"}}));
    platform.SetResponder([this](const char* what, const Shown& request, QDialog* dialog, std::string& text) {
      return Answer(what, request, dialog, text);
    });
  }
  void TearDown() override {
    platform.SetResponder(nullptr);
    qInstallMessageHandler(previousHandler_);
    AppTest::TearDown();
  }

  // --- chance -------------------------------------------------------------------

  int Below(int n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <class T>
  const T& Pick(const std::vector<T>& from) { return from[static_cast<std::size_t>(Below(static_cast<int>(from.size())))]; }

  QString RandomText() {
    static const std::vector<QString> pieces = {
        "5", "42", "555-1234", "0", "9", "(0)", "tin", "name", "lily", "Tiny", "ALE", "x", " ", "  ", "#", ",", ":",
        ".", "-", "\t", QString::fromUtf8("é"), QString::fromUtf8("Ré"), QString::fromUtf8("ß"),
        QString::fromUtf8("€"), QString::fromUtf8("’"), QString::fromUtf8("·"), QString::fromUtf8("•"),
        QString::fromUtf8("ł"), QString::fromUtf8("日本"), QString::fromUtf8("😀"), QString::fromUtf8("e\u0301"),
        QString(QChar(0xD800))};
    static const std::vector<QString> breaks = {"\n", "\r", "\r\n"};
    if (Chance(3)) return QString(300 + Below(1500), QChar('a' + Below(26)));
    QString text;
    for (int n = 1 + Below(6); n > 0; --n)
      text += Chance(8) ? Pick(breaks) : Pick(pieces);
    return text;
  }
  QString RandomNumber() {
    QString text;
    for (int n = 1 + Below(12); n > 0; --n) text += Chance(85) ? QChar('0' + Below(10)) : QChar(Pick<char>({' ', '-', '/', '.', 'x'}));
    return Chance(10) ? RandomText() : text;
  }
  std::string RandomWord() {
    static const std::vector<std::string> words = {"tin", "lee", "zebra", "naive", "tiny", "ram", "loll", "day"};
    if (Chance(50)) return Pick(words);
    if (Chance(50)) {
      std::string word;
      for (int n = 1 + Below(8); n > 0; --n) word.push_back(static_cast<char>('a' + Below(26)));
      return word;
    }
    return FromQString(RandomText());
  }

  // --- the platform's answers ---------------------------------------------------

  int Answer(const std::string& what, const Shown& request, QDialog* dialog, std::string& text) {
    Log("  answers " + what + ": " + request.caption + " " + request.text.substr(0, 60));
    const int result = AnswerOf(what, request, dialog, text);
    Log("  with " + std::to_string(result) + " " + text.substr(0, 60));
    return result;
  }
  int AnswerOf(const std::string& what, const Shown& request, QDialog* dialog, std::string& text) {
    if (what == "question") {
      std::vector<int> offered;
      if (request.buttons & ButtonOk) offered.push_back(ResultOk);
      if (request.buttons & ButtonYes) offered.push_back(ResultYes);
      if (request.buttons & ButtonNo) offered.push_back(ResultNo);
      if (request.buttons & ButtonCancel) offered.push_back(ResultCancel);
      return offered.empty() ? ResultCancel : Pick(offered);
    }
    if (what == "input box") {
      if (Chance(15)) return ResultCancel;
      if (request.caption == "Edit Mapping") {
        // Groups of letters and sounds, now and then something else.
        for (int n = 1 + Below(6); n > 0; --n) text += (text.empty() ? "" : ",") + RandomWord().substr(0, 3);
        return ResultOk;
      }
      text = Chance(25) ? FromQString(RandomNumber()) : RandomWord();
      return ResultOk;
    }
    if (what == "open dialog") {
      if (Chance(15)) return ResultCancel;
      std::vector<std::string> files = {out_.File("missing.tqw")};
      std::error_code ec;
      for (const auto& entry : std::filesystem::directory_iterator(out_.path(), ec))
        files.push_back(entry.path().string());
      text = Pick(files);
      return ResultOk;
    }
    if (what == "save dialog") {
      if (Chance(15)) return ResultCancel;
      static const std::vector<std::string> names = {"a.tqw", "R\xc3\xa9.tqw", "b c.tqw", "x.y.z",
                                                     "\xe6\x97\xa5\xe6\x9c\xac.tqw", "words.txt",
                                                     "no such folder/a.tqw", "other.tqw"};
      text = out_.File(Pick(names));
      return ResultOk;
    }
    if (what == "modal dialog" && dialog) return PlayWith(dialog);
    return ResultCancel;
  }

  // A modal dialog as the monkey uses it: a few random clicks, keys and texts,
  // then closed one way or another. Deep inside other dialogs it only closes.
  int PlayWith(QDialog* dialog) {
    ++depth_;
    Log("  in " + dialog->objectName().toStdString());
    dialog->setResult(0);
    dialog->show();
    const int actions = depth_ > 2 ? 0 : Below(12);
    for (int i = 0; i < actions && dialog->isVisible(); ++i) DialogAction(dialog);
    CloseMenus();
    if (dialog->isVisible()) CloseDialog(dialog);
    // As at the end of a modal run, the window below is active again.
    if (QWidget* below = dialog->parentWidget()) Activate(below->window());
    --depth_;
    return dialog->result();
  }

  template <class T>
  std::vector<T*> Usable(QWidget* in) const {
    std::vector<T*> out;
    for (T* w : in->findChildren<T*>())
      if (w->isVisible() && w->isEnabled()) out.push_back(w);
    return out;
  }

  void DialogAction(QDialog* dialog) {
    switch (Below(6)) {
      case 0:
      case 1:
        if (auto buttons = Usable<QAbstractButton>(dialog); !buttons.empty()) Click(Pick(buttons));
        break;
      case 2:
        if (auto edits = Usable<QLineEdit>(dialog); !edits.empty()) TypeInto(Pick(edits));
        break;
      case 3:
        if (auto views = Usable<QAbstractItemView>(dialog); !views.empty()) PlayWithView(Pick(views));
        break;
      case 4:
        if (auto tabs = Usable<QTabWidget>(dialog); !tabs.empty()) {
          QTabWidget* t = Pick(tabs);
          t->setCurrentIndex(Below(t->count()));
        }
        break;
      default:
        PressKey(QApplication::focusWidget() ? QApplication::focusWidget() : dialog);
        break;
    }
    CloseMenus();
  }

  void CloseDialog(QDialog* dialog) {
    std::vector<QAbstractButton*> closers;
    for (QAbstractButton* b : Usable<QAbstractButton>(dialog)) {
      const QString name = b->objectName();
      for (const char* part : {"Ok", "OK", "Cancel", "Close", "Yes", "No"})
        if (name.endsWith(QLatin1String(part))) closers.push_back(b);
    }
    const int how = Below(4);
    if (how < 2 && !closers.empty()) {
      Click(Pick(closers));
    } else if (how == 2) {
      dialog->close();
    } else {
      QTest::keyClick(dialog, Qt::Key_Escape);
    }
    // Some answers keep a dialog open (a refused OK); the user then gives up.
    if (dialog->isVisible()) dialog->reject();
    if (dialog->isVisible()) dialog->hide();
  }

  // --- input as the user gives it -------------------------------------------------

  // A click with press and release, as long as the widget survives the press.
  void Click(QWidget* widget, QPoint at = {}, Qt::MouseButton button = Qt::LeftButton) {
    QPointer<QWidget> alive(widget);
    QTest::mousePress(widget, button, {}, at);
    if (alive) QTest::mouseRelease(widget, button, {}, at);
  }
  void DoubleClick(QWidget* widget, QPoint at) {
    QPointer<QWidget> alive(widget);
    Click(widget, at);
    if (alive) QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    if (alive) QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
  }
  void ContextMenu(QWidget* widget, QPoint at) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &event);
    // A menu that came up: one of its items, or Escape.
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      std::vector<QAction*> items;
      for (QAction* a : menu->actions())
        if (a->isVisible() && a->isEnabled() && !a->isSeparator()) items.push_back(a);
      if (items.empty() || Chance(20)) {
        QTest::keyClick(menu, Qt::Key_Escape);
      } else {
        QPointer<QAction> chosen(Pick(items));
        Log("  menu item " + chosen->text().toStdString());
        // Closing the menu gives the window and the focus back to where the
        // menu was opened, before the item does its work.
        menu->close();
        Activate(widget->window());
        widget->setFocus(Qt::PopupFocusReason);
        if (chosen) chosen->trigger();
      }
    }
  }
  static void Activate(QWidget* window) {
    if (QApplication::activeWindow() == window) return;
    window->activateWindow();
    QApplication::processEvents();
  }
  void CloseMenus() {
    for (int guard = 0; QApplication::activePopupWidget() && guard < 8; ++guard)
      QApplication::activePopupWidget()->close();
  }

  void PressKey(QWidget* target) {
    static const std::vector<Qt::Key> keys = {
        Qt::Key_A,      Qt::Key_C,     Qt::Key_D,      Qt::Key_E,     Qt::Key_F,      Qt::Key_L,    Qt::Key_M,
        Qt::Key_N,      Qt::Key_O,     Qt::Key_R,      Qt::Key_S,     Qt::Key_T,      Qt::Key_V,    Qt::Key_X,
        Qt::Key_Z,      Qt::Key_1,     Qt::Key_5,      Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Tab,
        Qt::Key_Backtab, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Insert, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,
        Qt::Key_Down,   Qt::Key_Home,  Qt::Key_End,    Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Escape, Qt::Key_F1,
        Qt::Key_F3};
    Qt::KeyboardModifiers modifiers;
    const int m = Below(100);
    if (m < 25) modifiers = Qt::ControlModifier;
    else if (m < 32) modifiers = Qt::ShiftModifier;
    else if (m < 35) modifiers = Qt::ControlModifier | Qt::ShiftModifier;
    const Qt::Key key = Pick(keys);
    Log("  key " + std::to_string(key) + " mods " + std::to_string(modifiers.toInt()) + " to " +
        target->objectName().toStdString());
    QTest::keyClick(target, key, modifiers);
  }

  // Key by key, as a keyboard sends them: a character without a key of its
  // own comes as the text of an unknown key, the way an input method gives it.
  void TypeChars(QWidget* target, const QString& text) {
    QPointer<QWidget> alive(target);
    for (qsizetype i = 0; i < text.size() && alive; ++i) {
      const QChar c = text[i];
      if ((c.unicode() >= 0x20 && c.unicode() < 0x7f) || c == '\t') {
        QTest::keyClick(target, c.toLatin1());
      } else {
        const qsizetype n = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, text.mid(i, n), Qt::NoModifier);
        i += n - 1;
      }
    }
  }

  // Typed key by key; line breaks cannot be typed into a single-line field,
  // so a text holding them is pasted, as a user would bring one in, and so is
  // a long one.
  void TypeInto(QLineEdit* edit) {
    edit->setFocus();
    const int where = Below(4);
    if (where == 0) edit->selectAll();
    else if (where == 1) edit->setCursorPosition(Below(edit->text().size() + 1));
    else if (where == 2) edit->setSelection(Below(edit->text().size() + 1), Below(5));
    const QString text = RandomText();
    Log("  types into " + edit->objectName().toStdString() + ": " + text.left(40).toStdString());
    if (text.contains('\n') || text.contains('\r') || text.size() > 80 || Chance(25)) {
      QGuiApplication::clipboard()->setText(text);
      // The Edit menu is out of reach while a dialog is up.
      if (edit->window() != form || Chance(50)) QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
      else Run("MenuPaste");
    } else {
      TypeChars(edit, text);
    }
    if (Chance(20)) QTest::keyClick(edit, Qt::Key_Return);
  }

  void PlayWithView(QAbstractItemView* view) {
    QAbstractItemModel* model = view->model();
    if (!model) return;
    const int rows = model->rowCount();
    QPoint at(Below(view->viewport()->width() + 1), Below(view->viewport()->height() + 1));
    if (rows > 0 && Chance(80)) {
      const QModelIndex index = model->index(Below(rows), 0);
      view->scrollTo(index);
      at = view->visualRect(index).center();
    }
    view->setFocus();
    switch (Below(5)) {
      case 0: Log("  click in " + view->objectName().toStdString()); Click(view->viewport(), at); break;
      case 1: Log("  double-click in " + view->objectName().toStdString()); DoubleClick(view->viewport(), at); break;
      case 2: Log("  menu in " + view->objectName().toStdString()); ContextMenu(view->viewport(), at); break;
      default: PressKey(view); break;
    }
  }

  // --- the main window -------------------------------------------------------------

  std::vector<QAction*> Commands() const {
    std::vector<QAction*> out;
    for (QAction* a : form->findChildren<QAction*>()) {
      const QString name = a->objectName();
      if (name.isEmpty() || a->isSeparator() || !a->isVisible() || name == "MenuExit") continue;
      if (name.startsWith(QLatin1String("Menu")) || name.startsWith(QLatin1String("Popup"))) out.push_back(a);
    }
    return out;
  }

  void Step() {
    // A modeless find dialog may keep the keys; anything else hands them back.
    if (QApplication::activeWindow() != form->FindDialog() || !form->FindDialog()->isVisible()) Activate(form);
    const int what = Below(100);
    QLineEdit* fields[] = {Edit("EditNumber"), Edit("EditDescription"), Edit("EditPhrase")};
    if (what < 14) {
      QAction* command = Pick(Commands());
      Log("command " + command->objectName().toStdString());
      command->trigger();
    } else if (what < 18) {
      auto buttons = Usable<QAbstractButton>(Child<QToolBar>("ToolBar"));
      if (!buttons.empty()) {
        QAbstractButton* button = Pick(buttons);
        Log("toolbar " + button->objectName().toStdString());
        Click(button);
      }
    } else if (what < 38) {
      Log("typing");
      TypeInto(fields[Chance(10) ? 2 : Below(2)]);
    } else if (what < 44) {
      QLineEdit* edit = fields[Below(3)];
      edit->setFocus();
      edit->setSelection(Below(edit->text().size() + 1), Below(8));
      static const std::vector<const char*> edits = {"MenuCut", "MenuCopy", "MenuPaste", "MenuDelete"};
      const char* command = Pick(edits);
      Log(std::string("edit command ") + command + " in " + edit->objectName().toStdString());
      Run(command);
    } else if (what < 54) {
      QLineEdit* number = fields[0];
      number->setFocus();
      number->selectAll();
      const QString text = RandomNumber();
      Log("number " + text.left(40).toStdString());
      if (text.size() > 80) {
        QGuiApplication::clipboard()->setText(text);
        Run("MenuPaste");
      } else {
        TypeChars(number, text);
      }
      if (Chance(70)) QTest::keyClick(number, Qt::Key_Return);
      else Click(Child<QPushButton>("ButtonGo"));
    } else if (what < 66) {
      PressKey(QApplication::focusWidget() ? QApplication::focusWidget() : form);
    } else if (what < 74) {
      PlayWithView(List());
    } else if (what < 92) {
      TWordColumns* strip = form->WordColumns();
      const int columns = strip ? strip->ColumnCount() : 0;
      if (columns == 0) return;
      const int column = Below(columns);
      if (Chance(15)) {
        if (QAbstractButton* button = strip->WordButton(column); button && button->isVisible()) {
          Log("word button " + std::to_string(column));
          Click(button);
        }
      } else if (QListView* list = strip->WordList(column)) {
        Log("word list " + std::to_string(column));
        PlayWithView(list);
      }
    } else if (what < 95) {
      QDialog* find = form->FindDialog();
      if (!find->isVisible()) {
        Run("MenuFind");
      } else {
        Log("find dialog");
        DialogAction(find);
        if (Chance(20)) find->hide();
      }
    } else if (what < 97) {
      CheckUndoAndRedo();
    } else if (what < 99) {
      Log("resize");
      if (Chance(20)) form->setWindowState(form->windowState() ^ Qt::WindowMaximized);
      else form->resize(200 + Below(900), 150 + Below(700));
    } else {
      CheckSaveAndReload();
    }
  }

  // Shows every entry in turn, ending on the first. Showing an entry repairs
  // words that a dictionary change made stale while it was not shown, and
  // shows what the window makes of an entry read from a file.
  void ShowEveryRow() {
    for (int i = form->CurrentWorksheet()->Count() - 1; i >= 0; --i) form->SelectNumber(i, false);
  }

  // The worksheet through a save, a read of that file, an open of it in the
  // window and a second save.
  void CheckSaveAndReload() {
    CloseMenus();
    ++checks_;
    Log("save and reload check " + std::to_string(checks_));
    ShowEveryRow();
    const Entries before = EntriesOf(*form->CurrentWorksheet());
    const std::string first = out_.File("check-" + std::to_string(checks_) + ".tqw");
    const std::string second = out_.File("check-" + std::to_string(checks_) + "-again.tqw");
    platform.QueueText(first);
    Run("MenuSaveAs");
    ASSERT_FALSE(Modified()) << "saving to " << first << Recent();
    EXPECT_EQ(EntriesOfFile(first), before) << "the file" << Recent();
    ASSERT_TRUE(form->OpenWorksheet(first));
    ASSERT_EQ(form->CurrentWorksheet()->FileName(), first) << "the saved worksheet did not open" << Recent();
    ShowEveryRow();
    const Entries shown = EntriesOf(*form->CurrentWorksheet());
    EXPECT_EQ(Unhighlighted(shown), Unhighlighted(before)) << "the window" << Recent();
    platform.QueueText(second);
    Run("MenuSaveAs");
    EXPECT_EQ(EntriesOfFile(second), shown) << "the second file" << Recent();
    EXPECT_TRUE(platform.AllAnswersUsed());
  }

  // Undo as far as it goes, or only part of the way, then Redo as often:
  // the worksheet and the dictionary are where they were, and nothing was
  // said on the way (every entry put back fits the dictionary put back).
  void CheckUndoAndRedo() {
    auto state = [this] {
      const RDictionary& d = *form->Dictionary();
      std::string words = std::to_string(d.Count());
      for (const auto* list : {&d.AddedWords(), &d.RemovedWords(), &d.EditedWords(), &d.EditedCodes()})
        for (const std::string& w : *list) words += " " + w;
      for (std::size_t i = 0; i < RDictionary::kMappingLineCount; ++i) words += "|" + d.MappingLine(i);
      // (Showing an entry again ends a word's preview in its phrase.)
      return std::make_pair(Unhighlighted(EntriesOf(*form->CurrentWorksheet())), words);
    };
    const auto before = state();
    const std::size_t shown = platform.shown().size();
    int undone = 0;
    for (const int most = Chance(50) ? 1000 : 1 + Below(4); undone < most && Command("MenuUndo")->isEnabled(); ++undone)
      Run("MenuUndo");
    Log("undo and redo " + std::to_string(undone));
    for (int k = 0; k < undone; ++k) Run("MenuRedo");
    EXPECT_EQ(state(), before) << Recent();
    EXPECT_EQ(platform.shown().size(), shown) << Recent();
  }

  // What must hold after every step, whatever was done.
  void CheckState() {
    ASSERT_NE(form->CurrentWorksheet(), nullptr) << Recent();
    ASSERT_NE(form->CurrentNumber(), nullptr) << Recent();
    ASSERT_GE(form->CurrentIndex(), 0) << Recent();
    ASSERT_LT(form->CurrentIndex(), form->CurrentWorksheet()->Count()) << Recent();
    ASSERT_EQ(&form->CurrentWorksheet()->At(form->CurrentIndex()), form->CurrentNumber()) << Recent();
    ASSERT_EQ(Rows(), form->CurrentWorksheet()->Count()) << Recent();
  }

  void Log(const std::string& line) {
    if (trace_) std::fprintf(stderr, "[%u:%d %lldms] %s\n", seed_, step_, static_cast<long long>(clock_.elapsed()), line.c_str());
    recent_.push_back(std::to_string(step_) + ": " + line);
    if (recent_.size() > 40) recent_.pop_front();
  }
  std::string Recent() const {
    std::string text = "\nseed " + std::to_string(seed_) + ", last steps:\n";
    for (const std::string& line : recent_) text += "  " + line + "\n";
    return text;
  }

  TempDir out_;
  std::mt19937 rng_;
  unsigned seed_ = 0;
  int step_ = 0;
  int depth_ = 0;
  int checks_ = 0;
  bool trace_ = false;
  std::deque<std::string> recent_;
  QElapsedTimer clock_;
  QtMessageHandler previousHandler_ = nullptr;
};

TEST_P(MonkeyTest, RandomUseNeitherBreaksTheWindowNorChangesWhatASaveAndReloadGiveBack) {
  Start();
  const int steps = EnvNumber("TQ_MONKEY_STEPS", TQ_MONKEY_STEPS);
  for (step_ = 1; step_ <= steps; ++step_) {
    Step();
    CloseMenus();
    QApplication::processEvents();
    // What the event loop would delete by now (closed menus, replaced columns).
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    CheckState();
    if (HasFatalFailure()) return;
    if (step_ % kCheckEvery == 0) CheckSaveAndReload();
    if (HasFatalFailure()) return;
  }
  CheckSaveAndReload();
  if (HasFatalFailure()) return;
  // Just saved: the way out asks nothing, writes what changed and ends.
  Log("exit");
  Run("MenuExit");
  EXPECT_EQ(platform.terminateRequests, 1) << Recent();
}

INSTANTIATE_TEST_SUITE_P(Seeds, MonkeyTest, ::testing::Range(1, 5));

}  // namespace
}  // namespace tq::test
