// File › Print and File › Export PDF from the main window: what the choice
// dialog offers, the PDF written through the atomic writer, and the preview
// painting a long worksheet onto several pages.
#include <QBuffer>
#include <QDialog>
#include <QPdfWriter>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "AppFixture.h"
#include "DocumentPainter.h"
#include "PrintDocument.h"

namespace tq::test {
namespace {

class PrintCommandTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    // name 23, tie 1, lily 55, ram 43: two places of two words each.
    dir.Write("phone.tqw", WorksheetText({{"2315543", " name tie lily ram", "locker"}, {"1", " tie", ""}}));
    dir.Write("journey.txt", "front door\nhall mirror\n");
  }
  // Answers the choice dialog: the journey or the worksheet, then OK.
  void QueueChoice(bool journey, QString* journeyOffered = nullptr) {
    platform.QueueModal([=](QDialog* dialog) {
      auto* radio = dialog->findChild<QRadioButton*>(journey ? "RadioJourney" : "RadioWorksheet");
      auto* offered = dialog->findChild<QRadioButton*>("RadioJourney");
      if (journeyOffered) *journeyOffered = offered->isEnabled() ? offered->text() : QString();
      radio->setChecked(true);
      dialog->findChild<QPushButton*>("ButtonOk")->click();
      return dialog->result();
    });
  }
  std::vector<std::string> FilesInDir() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(PrintCommandTest, ExportPdfWritesTheJourneyInPlaceWithNoTemporaryLeft) {
  Start({dir.File("phone.tqw")});
  EXPECT_EQ(Command("MenuPrint")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
  const auto before = FilesInDir();
  platform.ClearShown();
  QString journeyOffered;
  QueueChoice(true, &journeyOffered);
  platform.QueueText(dir.File("pi.pdf"));
  Run("MenuExportPdf");
  EXPECT_TRUE(platform.AllAnswersUsed());
  ASSERT_EQ(platform.shown().size(), 2u);
  EXPECT_EQ(platform.shown()[1].fileName, "phone journey.pdf");
  EXPECT_EQ(journeyOffered, "The &journey of the current number (2 places)");
  EXPECT_EQ(dir.Read("pi.pdf").substr(0, 5), "%PDF-");
  auto after = before;
  after.push_back("pi.pdf");
  std::sort(after.begin(), after.end());
  EXPECT_EQ(FilesInDir(), after);
  EXPECT_EQ(platform.statusText, "Wrote 1 page to '" + dir.File("pi.pdf") + "'.");
  EXPECT_FALSE(Modified());

  // On a number without words, only the worksheet; cancelled there, no file box.
  EnterNumber("77");
  platform.ClearShown();
  platform.QueueModal([&](QDialog* dialog) {
    EXPECT_FALSE(dialog->findChild<QRadioButton*>("RadioJourney")->isEnabled());
    EXPECT_TRUE(dialog->findChild<QRadioButton*>("RadioWorksheet")->isChecked());
    return static_cast<int>(ResultCancel);
  });
  Run("MenuExportPdf");
  EXPECT_EQ(platform.shown().size(), 1u);
}

TEST_F(PrintCommandTest, ThePreviewPaintsALongWorksheetOnSeveralPages) {
  std::vector<std::vector<std::string>> entries;
  for (int i = 0; i < 150; ++i) entries.push_back({std::to_string(23 + i), "", "entry " + std::to_string(i)});
  dir.Write("long.tqw", WorksheetText(entries));
  Start({dir.File("long.tqw")});
  platform.ClearShown();
  QueueChoice(false);
  int pages = 0;
  QByteArray pdf;
  platform.QueuePreview([&](const PagePainter& paint) {
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    pages = paint(writer);
    return static_cast<int>(ResultCancel);
  });
  Run("MenuPrint");
  EXPECT_TRUE(platform.AllAnswersUsed());
  ASSERT_EQ(platform.shown().size(), 2u);
  EXPECT_EQ(platform.shown()[1].kind, "preview");
  EXPECT_EQ(platform.shown()[1].caption, "long.tqw");
  EXPECT_GE(pages, 3);
  EXPECT_TRUE(pdf.startsWith("%PDF"));
}

// A PDF writer whose second page never comes, as when the disk fills.
class BrokenPdfWriter : public QPdfWriter {
 public:
  using QPdfWriter::QPdfWriter;
  bool newPage() override { return false; }
};

// An export that breaks off after its first page writes nothing and says
// so, rather than counting pages it did not write.
TEST_F(PrintCommandTest, AnExportThatBreaksOffSaysSoAndWritesNothing) {
  std::vector<std::vector<std::string>> entries;
  for (int i = 0; i < 150; ++i) entries.push_back({std::to_string(23 + i), "", "entry " + std::to_string(i)});
  dir.Write("long.tqw", WorksheetText(entries));
  dir.Write("long.pdf", "old");
  Start({dir.File("long.tqw")});
  platform.ClearShown();
  const RPrintDocument document = WorksheetDocument(*form->CurrentWorksheet(), *form->Dictionary());
  const auto broken = [](QIODevice* device) { return std::make_unique<BrokenPdfWriter>(device); };
  int pages = 0;
  int total = 0;
  EXPECT_TRUE(PdfOf(document, &pages, &total, broken).isEmpty());
  EXPECT_EQ(pages, 1);
  ASSERT_GE(total, 3);
  EXPECT_FALSE(ExportPdf(document, dir.File("long.pdf"), broken));
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{"Error: The PDF broke off after page 1 of " + std::to_string(total) +
                                     "; nothing was written to '" + dir.File("long.pdf") + "'."});
  EXPECT_EQ(dir.Read("long.pdf"), "old");
  EXPECT_EQ(platform.statusText.find("Wrote"), std::string::npos) << platform.statusText;
}

}  // namespace
}  // namespace tq::test
