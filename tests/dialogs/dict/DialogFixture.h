// Shared by the dictionary and mapping dialog tests: the application object
// the widgets need, and a small dictionary loaded from a temporary directory
// exactly as the program loads its own at start.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <string>

#include "FileIO.h"
#include "RDictionary.h"
#include "ScriptedPlatform.h"
#include "TempDir.h"

namespace tq::test {

// One application object for the whole test program. It is kept reachable
// to the end instead of being torn down among the other statics.
inline QApplication& App() {
  static int argc = 1;
  static char name[] = "tq_dialog_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// Word and pronunciation, sorted byte-wise as words.dat is. The letters of
// "knight" spell 721, its sounds 21.
inline const char* kSmallWords =
    "an,@n\n"
    "and,@nd\n"
    "ant,@nt\n"
    "apple,@pxl\n"
    "banana,bxn@nx\n"
    "band,b@nd\n"
    "cat,k@t\n"
    "dog,dOg\n"
    "hand,h@nd\n"
    "knight,nYt\n"
    "man,m@n\n"
    "plan,pl@n\n"
    "tot,tAt\n";

// Double-clicks a row the way a user does. QTest sends a widget only the
// double-click event itself; the views act on it only after a press on the
// same row, so the press and release come first.
inline void DoubleClickRow(QTableView* list, int row) {
  const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// Double-clicks the empty part of a list under its last row, the way a user
// does. The list must have room there.
inline void DoubleClickBelowTheRows(QTableView* list) {
  const int rows = list->model()->rowCount();
  const int top = rows == 0 ? 0 : list->rowViewportPosition(rows - 1) + list->rowHeight(rows - 1);
  const QPoint at(list->viewport()->width() / 2, (top + list->viewport()->height()) / 2);
  ASSERT_LT(top, at.y()) << "no room under the rows";
  ASSERT_FALSE(list->indexAt(at).isValid());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    std::string mapping;
    ASSERT_EQ(ReadFileUpTo(TQ_SHIPPED_MAPPING, RDictionary::kMaxMappingFile, mapping), FileRead::Read)
        << TQ_SHIPPED_MAPPING;
    dir.Write("words.dat", kSmallWords);
    dir.Write("mapping.txt", mapping);
    dict.SetDirectory(dir.path());
    dict.LoadUserChanges();  // no words.txt yet: nothing to load
    ASSERT_EQ(dict.LoadWords(), 0);
    ASSERT_EQ(dict.LoadMapping(), 0);
    dict.ComputeCodes();
    dict.BuildCodeIndex();
    ASSERT_TRUE(platform.shown().empty());
  }

  std::string Code(const std::string& word) const {
    const int p = dict.FindWord(word);
    return p < 0 ? std::string("<missing>") : dict.CodeAt(p);
  }

  // Queues the answer to the question dialog: checks "Don't ask me again"
  // when asked to, presses Yes or No and remembers what the question said.
  void QueueQuestion(int answer, bool dontAsk = false) {
    platform.QueueModal([this, answer, dontAsk](QDialog* dialog) {
      auto* label = dialog->findChild<QLabel*>("LabelQuestion");
      auto* check = dialog->findChild<QCheckBox*>("CheckAsk");
      auto* cancel = dialog->findChild<QPushButton*>("ButtonCancel");
      auto* button = dialog->findChild<QPushButton*>(answer == ResultYes ? "ButtonYes" : "ButtonNo");
      if (!label || !check || !cancel || !button) {
        ADD_FAILURE() << "not the question dialog";
        return static_cast<int>(ResultCancel);
      }
      questions.push_back(label->text().toStdString());
      cancelShown.push_back(!cancel->isHidden());
      check->setChecked(dontAsk);
      button->click();
      return dialog->result();
    });
  }

  ScriptedPlatform platform;
  TempDir dir;
  RDictionary dict;
  std::vector<std::string> questions;
  std::vector<bool> cancelShown;
};

}  // namespace tq::test
