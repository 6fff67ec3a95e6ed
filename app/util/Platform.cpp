#include "Platform.h"

namespace tq {
namespace {

class SilentPlatform final : public Platform {
 public:
  int ShowMessage(const MessageRequest&) override { return ResultCancel; }
  bool InputBox(const std::string&, const std::string&, std::string&) override { return false; }
  std::string OpenFileName(const FileDialogRequest&) override { return {}; }
  std::string SaveFileName(const FileDialogRequest&) override { return {}; }
  int RunModal(QDialog*) override { return ResultCancel; }
  void ShowHelp(int) override {}
  void CloseHelp() override {}
  void OpenUrl(const std::string&) override {}
  void SetBusy(bool) override {}
  void SetStatus(const std::string&, bool) override {}
  void RequestTerminate() override {}
};

SilentPlatform silent;
Platform* current = &silent;

}  // namespace

Platform& CurrentPlatform() { return *current; }

Platform* InstallPlatform(Platform* p) {
  Platform* previous = current == &silent ? nullptr : current;
  current = p ? p : &silent;
  return previous;
}

}  // namespace tq
