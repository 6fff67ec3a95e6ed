// The worksheet file commands of the main window: new, new peg list, open,
// the recent files, save, save as, the save question on close, the title,
// and putting the worksheet or the current entry's journey on paper. The
// worksheet file is the worksheet library's and the printed document the
// print library's; this is only the wiring.
#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>

#include "Codec.h"
#include "DocumentPainter.h"
#include "FormMain.h"
#include "FormPractice.h"
#include "FormPrintChoice.h"
#include "FormQuestion.h"
#include "JourneyScenes.h"
#include "Messages.h"
#include "NumbersModel.h"
#include "Paths.h"
#include "PegList.h"
#include "Platform.h"
#include "PrintDocument.h"
#include "RConfig.h"
#include "RDictionary.h"
#include "RWorksheet.h"
#include "WordColumns.h"

namespace tq {
namespace {

// The file box for a worksheet, in the folder last used.
FileDialogRequest WorksheetRequest(const char* title, const RConfig* config) {
  FileDialogRequest request;
  request.title = title;
  request.filter = "Tessaloquine Worksheet (*.tqw)|*.tqw|All Files|*.*";
  request.defaultExtension = "tqw";
  request.initialDirectory = config ? config->GetLastDirectory() : std::string();
  return request;
}

// The next file box opens in the folder of the worksheet just opened or
// saved (or asked for).
void RememberFolder(RConfig* config, const std::string& path) {
  const std::string directory = DirectoryOf(path);
  if (config && !directory.empty() && DirectoryExists(directory)) config->SetLastDirectory(directory);
}

}  // namespace

// The recent files: four items, hidden until the history has paths for them.
void TFormMain::CreateHistoryItems(QMenu* file) {
  for (int k = 0; k < 4; ++k) {
    MenuHistory[k] = new QAction(this);
    MenuHistory[k]->setObjectName(QStringLiteral("MenuHistory%1").arg(k + 1));
    MenuHistory[k]->setVisible(false);
    QAction* item = MenuHistory[k];
    connect(item, &QAction::triggered, this, [this, item] { MenuHistoryClick(item); });
    file->addAction(item);
  }
  MenuHistorySep = file->addSeparator();
  MenuHistorySep->setObjectName("MenuHistorySep");
  MenuHistorySep->setVisible(false);
}

void TFormMain::UpdateTitle() {
  const std::string& name = worksheet_ ? worksheet_->FileName() : std::string();
  setWindowTitle(QStringLiteral("Tessaloquine - ") +
                 (name.empty() ? QStringLiteral("Untitled") : PathToQString(BaseNameOf(name))));
}

void TFormMain::UpdateHistoryMenu() {
  const int count = config_ ? config_->GetHistoryCount() : 0;
  MenuHistorySep->setVisible(count > 0);
  for (int k = 0; k < 4; ++k) {
    QAction* item = MenuHistory[k];
    item->setVisible(k < count);
    if (k >= count) continue;
    const std::string& path = config_->GetHistory(k);
    // A '&' in a file name is shown, not taken for the accelerator mark.
    QString name = PathToQString(FileNameOf(path));
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    item->setText(QStringLiteral("&%1 ").arg(k + 1) + name);
    item->setToolTip(PathToQString(path));
    item->setData(QByteArray::fromStdString(path));
  }
}

void TFormMain::NewWorksheet() {
  if (worksheet_ && !CloseWorksheet()) return;
  worksheet_ = std::make_unique<RWorksheet>();
  numbersModel_->SetWorksheet(worksheet_.get());
  InsertNumber();
  MaintainBlankRows();
  UpdateTitle();
  if (FormPractice) FormPractice->LoadSchedule(std::string());
}

bool TFormMain::OpenWorksheet(const std::string& path) {
  if (worksheet_ && !CloseWorksheet()) return false;
  auto worksheet = std::make_unique<RWorksheet>();
  worksheet->SetFileName(path);
  if (!worksheet->Load()) {
    // The loader has said what went wrong; the user gets a fresh worksheet.
    NewWorksheet();
    return true;
  }
  ShowWorksheet(std::move(worksheet));
  if (config_) {
    config_->AddToHistory(path);
    UpdateHistoryMenu();
  }
  if (FormPractice) FormPractice->LoadSchedule(path);
  // Last, so that nothing said on the way hides it.
  if (!worksheet_->LoadNote().empty()) ShowStatusAlert(worksheet_->LoadNote());
  return true;
}

// Puts a worksheet just read or made where the closed one was, and shows its
// first entry.
void TFormMain::ShowWorksheet(std::unique_ptr<RWorksheet> worksheet) {
  worksheet_ = std::move(worksheet);
  numbersModel_->SetWorksheet(worksheet_.get());
  SyncNumberRows();
  MaintainBlankRows();
  ListNumbers->clearSelection();
  SelectNumber(0, true);
  UpdateTitle();
}

bool TFormMain::CloseWorksheet() {
  if (!worksheet_) return true;
  if (worksheet_->Modified() && config_ && config_->GetAskSave() != 0) {
    if (!FormQuestion) return false;  // never let changes go without asking
    const int answer = FormQuestion->Ask(*config_, TFormQuestion::Preference::AskSave,
                                         "Save changes to current worksheet?", true);
    if (answer == ResultYes) {
      if (!SaveWorksheet()) return false;
    } else if (answer != ResultNo) {
      return false;
    }
  }
  if (ScrollBox) ScrollBox->SetCurrentNumber(nullptr);
  numbersModel_->SetWorksheet(nullptr);
  worksheet_.reset();
  currentNumber_ = nullptr;
  currentIndex_ = 0;
  ClearHistory();
  return true;
}

bool TFormMain::SaveWorksheet() {
  if (!worksheet_) return false;
  if (worksheet_->FileName().empty()) return SaveWorksheetAs();
  if (!worksheet_->Save()) return false;
  worksheet_->SetModified(false);
  undoHistory_.MarkSaved();
  if (!worksheet_->SaveNote().empty()) ShowStatus(worksheet_->SaveNote());
  // A first file or a new name: the practice schedule goes with it.
  if (FormPractice) FormPractice->WorksheetSaved(*worksheet_);
  return true;
}

bool TFormMain::SaveWorksheetAs() {
  if (!worksheet_) return false;
  const std::string path = CurrentPlatform().SaveFileName(WorksheetRequest("Save Worksheet", config_.get()));
  if (path.empty()) return false;

  bool goOn = true;
  if (FileExists(path)) goOn = AskOverwrite(path);
  bool saved = false;
  if (goOn) {
    // The worksheet takes the new name only once it is written there: after
    // a failed save, Save goes on to the file it came from.
    const std::string oldName = worksheet_->FileName();
    worksheet_->SetFileName(path);
    saved = SaveWorksheet();
    if (!saved) worksheet_->SetFileName(oldName);
    if (saved && config_) {
      config_->AddToHistory(path);
      UpdateHistoryMenu();
    }
    UpdateTitle();
  }
  RememberFolder(config_.get(), path);
  return saved;
}

void TFormMain::MenuNewWorksheetClick() { NewWorksheet(); }

// A new, untitled worksheet with one entry per number and its peg. It was
// never saved, so it stays modified whatever is undone in it.
void TFormMain::MenuNewPegListClick() {
  if (!dictionary_) return;
  const int digits = AskPegDigits();
  if (digits == 0 || (worksheet_ && !CloseWorksheet())) return;
  auto worksheet = std::make_unique<RWorksheet>();
  {
    BusyCursor busy;
    AddPegEntries(*worksheet, MakePegList(*dictionary_, digits));
  }
  worksheet->SetModified(true);
  ShowWorksheet(std::move(worksheet));
  if (FormPractice) FormPractice->LoadSchedule(std::string());
  undoHistory_.MarkNeverSaved();
}

void TFormMain::MenuOpenWorksheetClick() {
  const std::string path = CurrentPlatform().OpenFileName(WorksheetRequest("Open Worksheet", config_.get()));
  if (path.empty()) return;
  if (!OpenWorksheet(path)) return;
  RememberFolder(config_.get(), path);
}

void TFormMain::MenuSaveWorksheetClick() {
  if (SaveWorksheet()) SayNumberNotEntered();
}

void TFormMain::MenuSaveAsClick() {
  if (SaveWorksheetAs()) SayNumberNotEntered();
}

// Only Enter and Go! take what is typed in Number; a save leaves it where it
// is, so a number typed over the entry's would look saved when it is not.
void TFormMain::SayNumberNotEntered() {
  if (currentNumber_ && DigitsOf(FromQString(EditNumber->text())) != currentNumber_->Digits())
    ShowStatusAlert("The number in the Number field was not entered: press Enter to take it.");
}

void TFormMain::MenuHistoryClick(QAction* item) {
  const QByteArray path = item->data().toByteArray();
  if (!path.isEmpty()) OpenWorksheet(path.toStdString());
}

bool TFormMain::ChooseDocumentToPrint(const char* caption, RPrintDocument& document) {
  if (!worksheet_ || !currentNumber_ || !dictionary_ || !FormPrintChoice) return false;
  if (FromQString(EditNumber->text()) != currentNumber_->Number()) CommitNumber();
  int numbers = 0;
  for (int32_t i = 0; i < worksheet_->Count(); ++i) numbers += worksheet_->At(i).IsEmpty() ? 0 : 1;
  const RJourney& journey = UserJourney();
  const RJourneyScenes scenes(*dictionary_, *currentNumber_, journey.wordsPerPlace);
  // A phrase of dots only is no journey yet.
  const bool words = ChosenWordCount(currentNumber_->Slots()) > 0;
  FormPrintChoice->Prepare(QString::fromLatin1(caption), words ? static_cast<int>(scenes.Count()) : 0, numbers);
  if (CurrentPlatform().RunModal(FormPrintChoice) != QDialog::Accepted) return false;
  document = FormPrintChoice->JourneyChosen() ? JourneyDocument(scenes, journey, *currentNumber_, worksheet_->FileName())
                                              : WorksheetDocument(*worksheet_, *dictionary_);
  return true;
}

void TFormMain::MenuPrintClick() {
  RPrintDocument document;
  if (ChooseDocumentToPrint("Print", document)) PreviewDocument(document);
}

void TFormMain::MenuExportPdfClick() {
  RPrintDocument document;
  if (!ChooseDocumentToPrint("Export PDF", document)) return;
  FileDialogRequest request;
  request.title = "Export PDF";
  request.filter = "PDF Files (*.pdf)|*.pdf|All Files|*.*";
  request.defaultExtension = "pdf";
  request.initialDirectory = worksheet_->FileName().empty() ? (config_ ? config_->GetLastDirectory() : std::string())
                                                            : DirectoryOf(worksheet_->FileName());
  request.fileName = document.fileName;
  const std::string path = CurrentPlatform().SaveFileName(request);
  if (path.empty() || (FileExists(path) && !AskOverwrite(path))) return;
  ExportPdf(document, path);
}

}  // namespace tq
