// The mapping dialog, driven offscreen through its own controls, with the
// platform seam answering the input boxes.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <memory>

#include "Codec.h"
#include "DialogFixture.h"
#include "FormDict.h"
#include "FormMapping.h"
#include "RConfig.h"

namespace tq {
namespace {

class FormMappingTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    if (HasFatalFailure()) return;
    form = std::make_unique<TFormMapping>(dict);
    form->show();
  }
  void TearDown() override {
    form.reset();
    EXPECT_TRUE(platform.AllAnswersUsed());
  }

  QTableView* ListMap() const {
    auto* list = form->findChild<QTableView*>("ListMap");
    EXPECT_NE(list, nullptr);
    return list;
  }
  QPushButton* Button(const char* name) const {
    auto* button = form->findChild<QPushButton*>(name);
    EXPECT_NE(button, nullptr) << name;
    return button;
  }
  void Click(const char* name) const { QTest::mouseClick(Button(name), Qt::LeftButton); }
  std::string Cell(int row, int column) const {
    return FromQString(ListMap()->model()->index(row, column).data().toString());
  }
  void SelectRow(int row) const { ListMap()->selectRow(row); }
  // Edits one row through the input box.
  void EditRow(int row, const std::string& answer, bool accepted = true) {
    SelectRow(row);
    platform.QueueText(answer, accepted);
    Click("ButtonEdit");
  }

  std::unique_ptr<TFormMapping> form;
};

TEST_F(FormMappingTest, ShowsTheElevenLinesUnderTheirDigits) {
  const QAbstractItemModel* model = ListMap()->model();
  ASSERT_EQ(model->rowCount(), 11);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(Cell(i, 0), std::string(1, static_cast<char>('0' + i)));
  EXPECT_EQ(Cell(10, 0), "(none)");
  EXPECT_EQ(Cell(0, 1), "s,z,ss,zz,ce,ci,cy");
  EXPECT_EQ(Cell(7, 1), "k,c,g,q,qu,ck,gg,ng");
  EXPECT_EQ(Cell(10, 1), "a,e,i,o,u,y,w,h,gh");
}

TEST_F(FormMappingTest, EditWithoutSelectionGivesTheNotice) {
  Click("ButtonEdit");
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Select a digit before clicking the edit button."});
  EXPECT_EQ(platform.shown().back().caption, "Tessaloquine");
}

TEST_F(FormMappingTest, EditedLettersAreLowerCasedAndReachTheDictionaryOnlyOnOk) {
  EditRow(4, "R,RR,T");
  ASSERT_EQ(platform.shown().size(), 1u);
  EXPECT_EQ(platform.shown()[0].caption, "Edit Mapping");
  EXPECT_EQ(platform.shown()[0].text, "Enter all letters which map to this digit:");
  EXPECT_EQ(Cell(4, 1), "r,rr,t");
  EXPECT_EQ(dict.MappingLine(4), "r,rr") << "the rows are the dialog's own until OK";
  EXPECT_FALSE(dict.MappingChanged());

  Click("ButtonOk");
  EXPECT_EQ(form->result(), ResultOk);
  EXPECT_TRUE(form->MapChanged());
  EXPECT_EQ(dict.MappingLine(4), "r,rr,t");
  EXPECT_EQ(dict.MappingLine(1), "t,d,th,tt,dd");
  EXPECT_TRUE(dict.MappingChanged());
}

TEST_F(FormMappingTest, CancelDropsTheEditsAndTheNextShowingReloads) {
  EditRow(2, "x");
  ASSERT_EQ(Cell(2, 1), "x");
  Click("ButtonCancel");
  EXPECT_EQ(form->result(), ResultCancel);
  EXPECT_FALSE(form->MapChanged());
  EXPECT_EQ(dict.MappingLine(2), "n,nn,ng");
  EXPECT_FALSE(dict.MappingChanged());

  form->show();
  EXPECT_EQ(Cell(2, 1), "n,nn,ng");

  // Esc cancels as well.
  EditRow(3, "q");
  QTest::keyClick(ListMap(), Qt::Key_Escape);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->result(), ResultCancel);
  EXPECT_EQ(dict.MappingLine(3), "m,mm");
}

// A refused row costs no other edit: the dialog stays open on it, and once it
// is mended OK takes every row of the visit.
TEST_F(FormMappingTest, ARefusedRowKeepsTheDialogOpenOnItWithTheOtherEdits) {
  EditRow(3, "m,mm,mb");
  EditRow(5, "l\nll");
  platform.ClearShown();
  Click("ButtonOk");
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{"Error: The letters for digit 5 were not changed, since they hold a line break."});
  EXPECT_TRUE(form->isVisible());
  ASSERT_EQ(ListMap()->selectionModel()->selectedRows().size(), 1);
  EXPECT_EQ(ListMap()->selectionModel()->selectedRows()[0].row(), 5);
  EXPECT_EQ(Cell(3, 1), "m,mm,mb");
  EXPECT_FALSE(dict.MappingChanged());

  platform.QueueText("l,ll");
  Click("ButtonEdit");
  Click("ButtonOk");
  EXPECT_TRUE(form->MapChanged());
  EXPECT_EQ(dict.MappingLine(3), "m,mm,mb");
  EXPECT_EQ(dict.MappingLine(5), "l,ll");
}

TEST_F(FormMappingTest, OkWithoutAChangeLeavesTheMappingUntouched) {
  EditRow(5, "ignored", false);  // a cancelled box changes nothing
  EditRow(6, "j,sh,ch,tch,dg");  // nor does the same text again
  Click("ButtonOk");
  EXPECT_EQ(form->result(), ResultOk);
  EXPECT_FALSE(form->MapChanged());
  EXPECT_FALSE(dict.MappingChanged());
}

TEST_F(FormMappingTest, DoubleClickEditsAndHelpOpensTopic5000) {
  platform.QueueText("f,v,ph");
  test::DoubleClickRow(ListMap(), 8);
  EXPECT_EQ(Cell(8, 1), "f,v,ph");
  Click("ButtonHelp");
  EXPECT_EQ(platform.shown().back().kind, "help");
  EXPECT_EQ(platform.shown().back().topic, 5000);
}

TEST_F(FormMappingTest, DoubleClickUnderTheRowsIsADoubleClickWithNothingSelected) {
  ListMap()->clearSelection();
  test::DoubleClickBelowTheRows(ListMap());
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Select a digit before clicking the edit button."});
}

TEST_F(FormMappingTest, ChangedMappingRecomputesCodesButKeepsHandGivenOnes) {
  // A code of the user's own, given in the dictionary dialog.
  ASSERT_EQ(dict.EditCode("cat", "99"), 0);
  ASSERT_EQ(Code("tot"), "11");

  // t no longer spells 1 but 4.
  EditRow(1, "d,th,tt,dd");
  EditRow(4, "r,rr,t");
  Click("ButtonOk");
  ASSERT_TRUE(form->MapChanged());
  // What the main window does after an OK with changes.
  dict.ComputeCodes();
  dict.BuildCodeIndex();

  EXPECT_EQ(Code("tot"), "44");
  EXPECT_EQ(Code("ant"), "24");
  EXPECT_EQ(Code("dog"), "17");
  EXPECT_EQ(Code("cat"), "99");
  std::vector<std::string> rows;
  dict.ListWordsForDigits("44", rows);
  EXPECT_NE(std::find(rows.begin(), rows.end(), "tot"), rows.end());

  // The dictionary dialog shows the same.
  RConfig config;
  TFormDict dictForm(dict);
  dictForm.SetConfig(&config);
  dictForm.show();
  dictForm.findChild<QLineEdit*>("EditFind")->setText("t");
  dictForm.findChild<QPushButton*>("ButtonFind")->click();
  const QAbstractItemModel* found = dictForm.findChild<QTableView*>("ListDict")->model();
  ASSERT_EQ(found->rowCount(), 1);
  EXPECT_EQ(found->index(0, 1).data().toString(), "44");
  dictForm.findChild<QLineEdit*>("EditFind")->setText("cat");
  dictForm.findChild<QPushButton*>("ButtonFind")->click();
  EXPECT_EQ(found->index(0, 1).data().toString(), "99");
}

TEST_F(FormMappingTest, TheNoneRowDecidesWhichLettersAreSkipped) {
  // Words the user adds are coded from their letters; "gh" on the no-digit
  // line hides the g that would otherwise spell 7.
  ASSERT_NE(dict.AddWord("ghost"), -1);
  ASSERT_EQ(Code("ghost"), "01");
  EditRow(10, "A,E,I,O,U,Y,W,H");
  Click("ButtonOk");
  EXPECT_EQ(dict.MappingLine(10), "a,e,i,o,u,y,w,h");
  dict.ComputeCodes();
  EXPECT_EQ(Code("ghost"), "701");
}

}  // namespace
}  // namespace tq
