#include "Startup.h"

#include <QApplication>
#include <QIcon>
#include <QShortcut>
#include <QTimer>

#include "FormAbout.h"
#include "FormDict.h"
#include "FormBest.h"
#include "FormEditPhrase.h"
#include "FormJourney.h"
#include "FormJourneyPlaces.h"
#include "FormMyPegs.h"
#include "FormPrintChoice.h"
#include "FormMain.h"
#include "FormMapping.h"
#include "FormNumbersDrill.h"
#include "FormOptions.h"
#include "FormPegDrill.h"
#include "FormPractice.h"
#include "FormQuestion.h"
#include "FormRandom.h"
#include "FormSplash.h"
#include "FormTips.h"
#include "Messages.h"
#include "Platform.h"
#include "RConfig.h"

namespace tq {
namespace {

// F1 in a dialog opens the help at that dialog's topic, as its Help button does.
void AddHelpKey(QDialog* dialog, int topic) {
  auto* key = new QShortcut(QKeySequence(Qt::Key_F1), dialog);
  key->setContext(Qt::WindowShortcut);
  QObject::connect(key, &QShortcut::activated, dialog, [topic] { CurrentPlatform().ShowHelp(topic); });
}

}  // namespace

TProgram::TProgram(std::string directory, std::vector<std::string> arguments)
    : TProgram(PortablePaths(directory), std::move(arguments)) {}

TProgram::TProgram(DataPaths paths, std::vector<std::string> arguments) : paths_(std::move(paths)) {
  QCoreApplication::setApplicationName(QStringLiteral("Tessaloquine"));
  // Desktops without an icon theme of their own still get familiar pictures.
  if (QIcon::fallbackThemeName().isEmpty() || QIcon::fallbackThemeName() == QLatin1String("hicolor"))
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
  // The main window is created hidden and stays so until the splash's timer
  // shows it: nothing comes up on its own when the event loop starts.
  formMain_ = std::make_unique<TFormMain>(paths_.configDirectory, std::move(arguments));
  formMain_->SetMakeConfigFolder(paths_.installed);
}

TProgram::~TProgram() {
  formSplash_.reset();
  formMain_.reset();
}

bool TProgram::Start() {
  formSplash_ = std::make_unique<TFormSplash>(paths_.dataDirectory);
  formSplash_->SetMainWindow(formMain_.get());
  formSplash_->SetTipsHandler([this] {
    const RConfig* config = formMain_->Config();
    if (config && config->GetShowTips() != 0) formMain_->MenuTipClick();
  });
  formSplash_->show();
  formSplash_->TimerSplash()->start();
  // Let the splash paint before the long load.
  QCoreApplication::processEvents();

  // An installed program says once where it keeps the user's files; any
  // alert of the load below takes the status line over.
  if (paths_.installed)
    ShowStatus("Your settings are kept in " + NativeText(paths_.configDirectory) + ", your words and mapping in " +
               NativeText(paths_.userDirectory) + ".");
  auto dictionary = CreateDictionary(paths_);
  if (!dictionary) return false;
  formMain_->SetDictionary(std::move(dictionary));

  // Every dialog is made once, here, in this order, and reused for the whole
  // run. The main window is their parent and takes them down with it.
  TFormMain* main = formMain_.get();
  RDictionary& words = *main->Dictionary();
  TMainDialogs dialogs;
  dialogs.FormDict = new TFormDict(words, main);
  dialogs.FormAbout = new TFormAbout(main);
  dialogs.FormMapping = new TFormMapping(words, main);
  dialogs.FormRandom = new TFormRandom(words, main);
  dialogs.FormOptions = new TFormOptions(main);
  dialogs.FormQuestion = formQuestion_ = new TFormQuestion(main);
  dialogs.FormTips = new TFormTips(nullptr, main);
  dialogs.FormEditPhrase = new TFormEditPhrase(words, main);
  dialogs.FormPractice = new TFormPractice(words, main);
  // Made last, so the dialogs above keep the order they always had. It has
  // its own F1 key.
  dialogs.FormBest = new TFormBest(words, main);
  dialogs.FormJourney = new TFormJourney(words, main);
  dialogs.FormJourneyPlaces = new TFormJourneyPlaces(main);
  dialogs.FormPrintChoice = new TFormPrintChoice(main);
  dialogs.FormMyPegs = new TFormMyPegs(words, main);
  dialogs.FormPegDrill = new TFormPegDrill(words, main);
  dialogs.FormNumbersDrill = new TFormNumbersDrill(words, main);
  AddHelpKey(dialogs.FormDict, TFormDict::kHelpContext);
  AddHelpKey(dialogs.FormMapping, TFormMapping::kHelpContext);
  AddHelpKey(dialogs.FormRandom, TFormRandom::kHelpContext);
  AddHelpKey(dialogs.FormEditPhrase, TFormEditPhrase::kHelpContext);
  AddHelpKey(dialogs.FormPractice, TFormPractice::kHelpContext);
  AddHelpKey(dialogs.FormJourney, TFormJourney::kHelpContext);
  AddHelpKey(dialogs.FormJourneyPlaces, TFormJourneyPlaces::kHelpContext);
  AddHelpKey(dialogs.FormMyPegs, TFormMyPegs::kHelpContext);
  AddHelpKey(dialogs.FormPegDrill, TFormPegDrill::kHelpContext);
  AddHelpKey(dialogs.FormNumbersDrill, TFormNumbersDrill::kHelpContext);
  main->SetDialogs(dialogs);
  formSplash_->StartupFinished();
  return true;
}

int TProgram::Run() { return QApplication::exec(); }

}  // namespace tq
