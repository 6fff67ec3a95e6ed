// Starts the real program on a data directory of the test's own, with a
// small dictionary whose codes the tests know, and drives the main window
// with keys and clicks. Questions and file dialogs are answered through the
// scripted platform.
#pragma once

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "Codec.h"
#include "FormMain.h"
#include "FormSplash.h"
#include "Messages.h"
#include "RConfig.h"
#include "RWorksheet.h"
#include "ScriptedPlatform.h"
#include "Startup.h"
#include "TempDir.h"
#include "ShippedMapping.h"

namespace tq::test {

// Real words with their stored sounds, so their codes are what the shipped
// rules give: ale 5, day 1, dime 13, law 5, lily 55, loll 55, name 23, new 2,
// ram 43, row 4, tie 1, tin 12, tiny 12, toe 1.
inline const char* kSmallWords =
    "ale,el\n"
    "day,de\n"
    "dime,dYm\n"
    "law,lO\n"
    "lily,lIli\n"
    "loll,lAl\n"
    "name,nem\n"
    "new,nu\n"
    "ram,r@m\n"
    "row,ro\n"
    "tie,tY\n"
    "tin,tIn\n"
    "tiny,tYni\n"
    "toe,to\n";


// A worksheet file with the given (number, phrase, description) entries.
inline std::string WorksheetText(const std::vector<std::vector<std::string>>& entries) {
  std::string out = "#Tessaloquine - 1\n#Count = " + std::to_string(entries.size()) + "\n";
  for (const auto& e : entries) out += "N:" + e[0] + "\nP:" + e[1] + "\nD:" + e[2] + "\n\n";
  return out;
}

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetFatalErrorForTesting();
    dir.Write("words.dat", kSmallWords);
    dir.Write("mapping.txt", kShippedMapping);
  }
  void TearDown() override {
    program.reset();
    SetWriteFaultForTesting(-1);
    ResetFatalErrorForTesting();
  }

  // Runs the start-up and lets the splash's timer fire at once. Unless a test
  // wants the tip of the day at start, the configuration (fresh or stored)
  // is made to skip it first, so that no unexpected dialog comes up.
  void Start(std::vector<std::string> arguments = {}) {
    if (!tipsAtStart) {
      RConfig stored;
      stored.SetFileName(dir.File("Tessaloquine.cfg"));
      if (dir.Exists("Tessaloquine.cfg")) {
        ASSERT_TRUE(stored.Load());
      }
      stored.SetShowTips(0);
      ASSERT_TRUE(stored.Save());
    }
    program = std::make_unique<TProgram>(dir.path(), std::move(arguments));
    ASSERT_TRUE(program->Start());
    program->FormSplash()->TimerSplashTimer();
    form = &program->FormMain();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    Settle();
  }

  static void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }

  template <class T>
  T* Child(const char* name) const {
    T* child = form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  QLineEdit* Edit(const char* name) const { return Child<QLineEdit>(name); }
  QTableView* List() const { return Child<QTableView>("ListNumbers"); }
  QAction* Command(const char* name) const { return Child<QAction>(name); }
  void Run(const char* command) const { Command(command)->trigger(); }

  int Rows() const { return List()->model()->rowCount(); }
  std::string Cell(int row, int column) const {
    return FromQString(List()->model()->index(row, column).data().toString());
  }
  int SelectedRow() const {
    const auto rows = List()->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
  }
  std::string Text(const char* edit) const { return FromQString(Edit(edit)->text()); }
  bool Modified() const { return form->CurrentWorksheet() && form->CurrentWorksheet()->Modified(); }

  // Types into EditNumber (replacing what is there) and presses Enter.
  void EnterNumber(const char* text) {
    QLineEdit* edit = Edit("EditNumber");
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromLatin1(text));
    QTest::keyClick(edit, Qt::Key_Return);
  }
  void TypeDescription(const char* text) {
    QLineEdit* edit = Edit("EditDescription");
    edit->setFocus();
    QTest::keyClicks(edit, QString::fromLatin1(text));
  }
  void ClickRow(int row) {
    QTableView* list = List();
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
  }

  ScriptedPlatform platform;
  TempDir dir;
  bool tipsAtStart = false;
  std::unique_ptr<TProgram> program;
  TFormMain* form = nullptr;
};

}  // namespace tq::test
