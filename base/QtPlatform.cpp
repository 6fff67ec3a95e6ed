#include "QtPlatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QUrl>

#include "Codec.h"
#include "TextGuard.h"

namespace tq {

QString QtFilterFrom(const std::string& filter) {
  const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString& label = parts[i];
    const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
    out << (label.contains(QLatin1Char('(')) ? label : label + QStringLiteral(" (") + patterns + QLatin1Char(')'));
  }
  return out.join(QStringLiteral(";;"));
}

int QtPlatform::ShowMessage(const MessageRequest& request) {
  QMessageBox box(parent_);
  box.setWindowTitle(ToQString(request.caption));
  // Messages are plain text: a word or a path that looks like markup is
  // shown as typed, never rendered.
  box.setTextFormat(Qt::PlainText);
  box.setText(MessageToQString(request.text));
  switch (request.icon) {
    case MessageIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
  }
  QMessageBox::StandardButtons buttons;
  if (request.buttons & ButtonOk) buttons |= QMessageBox::Ok;
  if (request.buttons & ButtonYes) buttons |= QMessageBox::Yes;
  if (request.buttons & ButtonNo) buttons |= QMessageBox::No;
  if (request.buttons & ButtonCancel) buttons |= QMessageBox::Cancel;
  if (!buttons) buttons = QMessageBox::Ok;
  box.setStandardButtons(buttons);
  switch (box.exec()) {
    case QMessageBox::Ok: return ResultOk;
    case QMessageBox::Yes: return ResultYes;
    case QMessageBox::No: return ResultNo;
    default: return ResultCancel;
  }
}

bool QtPlatform::InputBox(const std::string& caption, const std::string& prompt, std::string& value) {
  QInputDialog dialog(parent_);
  dialog.setWindowTitle(ToQString(caption));
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setLabelText(MessageToQString(prompt));
  dialog.setTextValue(ToQString(value));
  // The prompt may hold a word of the user's: plain text, as every message.
  for (QLabel* label : dialog.findChildren<QLabel*>()) label->setTextFormat(Qt::PlainText);
  // What is typed here goes into the program's files: the field refuses what
  // they cannot hold as it is typed.
  if (auto* edit = dialog.findChild<QLineEdit*>()) GuardTextField(edit);
  if (dialog.exec() != QDialog::Accepted) return false;
  value = FromQString(dialog.textValue());
  return true;
}

std::string QtPlatform::OpenFileName(const FileDialogRequest& request) {
  QFileDialog dialog(parent_, ToQString(request.title), PathToQString(request.initialDirectory),
                     QtFilterFrom(request.filter));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(ToQString(request.defaultExtension));
  if (!request.fileName.empty()) dialog.selectFile(PathToQString(request.fileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return PathFromQString(dialog.selectedFiles().constFirst());
}

std::string QtPlatform::SaveFileName(const FileDialogRequest& request) {
  QFileDialog dialog(parent_, ToQString(request.title), PathToQString(request.initialDirectory),
                     QtFilterFrom(request.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // We ask about overwriting ourselves, with our own words.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog.setDefaultSuffix(ToQString(request.defaultExtension));
  if (!request.fileName.empty()) dialog.selectFile(PathToQString(request.fileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return PathFromQString(dialog.selectedFiles().constFirst());
}

int QtPlatform::RunModal(QDialog* dialog) { return dialog ? dialog->exec() : ResultCancel; }

bool QtPlatform::PrintPreview(const std::string& documentName, const PagePainter& paint) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QString::fromUtf8(documentName));
  QPrintPreviewDialog dialog(&printer, parent_);
  dialog.setWindowTitle(QStringLiteral("Print Preview"));
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&paint](QPrinter* target) { paint(*target); });
  // The preview's print button shows the print dialog and, once the pages
  // went to the printer, closes the preview as accepted.
  return dialog.exec() == QDialog::Accepted;
}

void QtPlatform::ShowHelp(int topic) {
  if (showHelp_) showHelp_(topic);
}

void QtPlatform::CloseHelp() {
  if (closeHelp_) closeHelp_();
}

void QtPlatform::OpenUrl(const std::string& url) { QDesktopServices::openUrl(QUrl(QString::fromStdString(url))); }

void QtPlatform::SetBusy(bool busy) {
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void QtPlatform::SetStatus(const std::string& text, bool alert) {
  if (statusSink_) statusSink_(text, alert);
}

void QtPlatform::RequestTerminate() {
  terminateRequested_ = true;
  QCoreApplication::exit(0);
}

}  // namespace tq
