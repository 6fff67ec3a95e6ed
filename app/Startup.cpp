#include "Startup.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include "FormMain.h"
#include "FormQuestion.h"
#include "FormSplash.h"
#include "Messages.h"
#include "RConfig.h"

namespace tq {

std::unique_ptr<RDictionary> CreateDictionary(const std::string& directory) {
  auto dictionary = std::make_unique<RDictionary>();
  dictionary->SetDirectory(directory);
  dictionary->LoadUserChanges();
  if (dictionary->LoadWords() != 0 && FatalErrorShown()) return nullptr;
  if (dictionary->LoadMapping() != 0 && FatalErrorShown()) return nullptr;
  dictionary->ComputeCodes();
  dictionary->BuildCodeIndex();
  return dictionary;
}

TProgram::TProgram(std::string directory, std::vector<std::string> arguments) : directory_(std::move(directory)) {
  QCoreApplication::setApplicationName(QStringLiteral("Tessaloquine"));
  // Desktops without an icon theme of their own still get familiar pictures.
  if (QIcon::fallbackThemeName().isEmpty() || QIcon::fallbackThemeName() == QLatin1String("hicolor"))
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
  // The main window is created hidden and stays so until the splash's timer
  // shows it: nothing comes up on its own when the event loop starts.
  formMain_ = std::make_unique<TFormMain>(directory_, std::move(arguments));
}

TProgram::~TProgram() {
  formSplash_.reset();
  formMain_.reset();
}

bool TProgram::Start() {
  formSplash_ = std::make_unique<TFormSplash>(directory_);
  formSplash_->SetMainWindow(formMain_.get());
  formSplash_->SetTipsHandler([this] {
    const RConfig* config = formMain_->Config();
    if (config && config->GetShowTips() != 0) formMain_->MenuTipClick();
  });
  formSplash_->show();
  formSplash_->TimerSplash()->start();
  // Let the splash paint before the long load.
  QCoreApplication::processEvents();

  auto dictionary = CreateDictionary(directory_);
  if (!dictionary) return false;
  formMain_->SetDictionary(std::move(dictionary));

  // Every dialog is made once, here, and reused for the whole run.
  formQuestion_ = new TFormQuestion(formMain_.get());
  formMain_->SetFormQuestion(formQuestion_);
  return true;
}

int TProgram::Run() { return QApplication::exec(); }

}  // namespace tq
