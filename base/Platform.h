// The one seam between the program and everything modal the desktop provides:
// message boxes, the input box, file dialogs, running our own dialogs modally,
// help, web pages, the busy cursor and the status line. The program installs a
// Qt implementation at start; tests install a scripted one that records what
// was shown and answers from a queue. Plain C++: the engine reaches the user
// through this interface without knowing about Qt.
#pragma once

#include <functional>
#include <string>
#include <vector>

class QDialog;
class QPagedPaintDevice;

namespace tq {

enum class MessageIcon { None, Error, Warning, Question, Information };

// Button flags and results use the classic dialog result numbers, which the
// question dialog and its callers compare against (6 Yes, 7 No, 2 Cancel).
enum MessageButton : int {
  ButtonOk = 1 << 0,
  ButtonYes = 1 << 1,
  ButtonNo = 1 << 2,
  ButtonCancel = 1 << 3,
};

enum DialogResult : int {
  ResultNone = 0,
  ResultOk = 1,
  ResultCancel = 2,
  ResultYes = 6,
  ResultNo = 7,
};

struct MessageRequest {
  std::string caption;
  std::string text;  // Windows-1252, as everywhere in the program
  MessageIcon icon = MessageIcon::None;
  int buttons = ButtonOk;
};

struct FileDialogRequest {
  std::string title;
  std::string filter;            // "Description (*.ext)|*.ext|All Files|*.*"
  std::string defaultExtension;  // without the dot
  std::string initialDirectory;
  std::string fileName;
};

// Paints a document onto a printer or a PDF writer, page after page, and
// returns how many pages it painted.
using PagePainter = std::function<int(QPagedPaintDevice& device)>;

class Platform {
 public:
  virtual ~Platform() = default;

  // Shows a modal message box and returns one of DialogResult.
  virtual int ShowMessage(const MessageRequest& request) = 0;
  // The single-line input box: returns true and sets value when accepted;
  // on cancel the value is left as the default that was passed in.
  virtual bool InputBox(const std::string& caption, const std::string& prompt, std::string& value) = 0;
  // File dialogs: the chosen full path, or empty when cancelled.
  virtual std::string OpenFileName(const FileDialogRequest& request) = 0;
  virtual std::string SaveFileName(const FileDialogRequest& request) = 0;
  // Runs one of our own dialogs modally and returns its result code.
  virtual int RunModal(QDialog* dialog) = 0;
  // The print preview of a document (its name in UTF-8, as the printer's
  // queue shows it): the pages paint draws, which the user can print from
  // there through the desktop's print dialog. True when they were printed.
  virtual bool PrintPreview(const std::string& documentName, const PagePainter& paint) = 0;
  // Help viewer at a topic number (0 for the contents), closing it, web pages.
  virtual void ShowHelp(int topic) = 0;
  virtual void CloseHelp() = 0;
  virtual void OpenUrl(const std::string& url) = 0;
  virtual void SetBusy(bool busy) = 0;
  // Panel 0 of the main window's status bar; alert paints it highlighted.
  virtual void SetStatus(const std::string& text, bool alert) = 0;
  // Asks the application to end when control next returns to the event loop.
  virtual void RequestTerminate() = 0;
};

// Shows nothing, asks nothing and answers Cancel to every question: what
// answers until the program installs its own platform, and the base of a
// platform that only reports (the command line's).
class SilentPlatform : public Platform {
 public:
  int ShowMessage(const MessageRequest&) override { return ResultCancel; }
  bool InputBox(const std::string&, const std::string&, std::string&) override { return false; }
  std::string OpenFileName(const FileDialogRequest&) override { return {}; }
  std::string SaveFileName(const FileDialogRequest&) override { return {}; }
  int RunModal(QDialog*) override { return ResultCancel; }
  bool PrintPreview(const std::string&, const PagePainter&) override { return false; }
  void ShowHelp(int) override {}
  void CloseHelp() override {}
  void OpenUrl(const std::string&) override {}
  void SetBusy(bool) override {}
  void SetStatus(const std::string&, bool) override {}
  void RequestTerminate() override {}
};

// The installed platform. Never null: until something is installed, a silent
// platform answers Cancel to every question and shows nothing.
Platform& CurrentPlatform();
// Installs p (not owned; null restores the silent one) and returns the previous one.
Platform* InstallPlatform(Platform* p);

// Shows the busy cursor for the lifetime of the object.
class BusyCursor {
 public:
  BusyCursor() { CurrentPlatform().SetBusy(true); }
  ~BusyCursor() { CurrentPlatform().SetBusy(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace tq
