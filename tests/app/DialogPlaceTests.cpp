// Where the dialogs open: those whose place is the middle of the screen open
// there, wherever the main window stands, and a dialog's size of the moment
// decides the middle.
#include <QDialog>
#include <QScreen>

#include "AppFixture.h"

namespace tq::test {
namespace {

class DialogPlaceTest : public AppTest {
 protected:
  // Queues an answer that shows the dialog as running it modally would,
  // notes its name and where its frame stands, and closes it with Cancel.
  void QueueLook() {
    platform.QueueModal([this](QDialog* dialog) {
      dialog->show();
      QApplication::processEvents();
      seen.push_back({dialog->objectName().toStdString(), dialog->frameGeometry()});
      dialog->hide();
      return int(ResultCancel);
    });
  }

  struct Seen {
    std::string name;
    QRect frame;
  };
  std::vector<Seen> seen;
};

TEST_F(DialogPlaceTest, DialogsPlacedInTheMiddleOpenInTheMiddleOfTheScreenNotOfTheMainWindow) {
  Start();
  // Off the middle of the screen, so that the two middles differ.
  form->showNormal();
  form->setGeometry(0, 0, 520, 400);
  Settle();
  const QRect area = form->screen()->availableGeometry();
  ASSERT_GT((form->frameGeometry().center() - area.center()).manhattanLength(), 40);

  for (const char* command : {"MenuMapping", "MenuTip", "MenuAbout", "MenuEditPhrase"}) {
    if (std::string(command) == "MenuEditPhrase") EnterNumber("12");
    QueueLook();
    Run(command);
  }
  // The save question, on starting a new worksheet over the changed one.
  EnterNumber("34");
  ASSERT_TRUE(Modified());
  QueueLook();
  Run("MenuNewWorksheet");

  ASSERT_EQ(seen.size(), 5u);
  for (const Seen& s : seen) {
    SCOPED_TRACE(s.name);
    EXPECT_TRUE(area.contains(s.frame));
    EXPECT_LE(std::abs(s.frame.center().x() - area.center().x()), 1);
    EXPECT_LE(std::abs(s.frame.center().y() - area.center().y()), 1);
  }
  EXPECT_EQ(seen.back().name, "FormQuestion");
}

}  // namespace
}  // namespace tq::test
