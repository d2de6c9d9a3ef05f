#include "ui/qt_ports.h"

#include "core/identity.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

namespace lw::ui {

using namespace Qt::StringLiterals;

namespace {
QWidget* front_window() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

// The catalogue has no text for "Error", "Warning" or "Confirm", so every box
// is titled with the product code, alike in every language; its icon tells
// the kind and Qt's translations its buttons.
QString title() { return q(kSW_Code); }

// Built by hand rather than through QMessageBox's static functions: those
// guess whether the text is markup, and a path or a system message must be
// shown exactly as it is.
QMessageBox::StandardButton ask(QMessageBox::Icon icon, const std::string& text,
                                QMessageBox::StandardButtons buttons, QMessageBox::StandardButton fallback) {
  QMessageBox box(icon, title(), q(text), buttons, front_window());
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(fallback);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}
} // namespace

void MessageBoxes::error(const std::string& text) {
  ask(QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

void MessageBoxes::warning(const std::string& text) {
  ask(QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool MessageBoxes::confirm(const std::string& text) {
  return ask(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
         QMessageBox::Yes;
}

std::string FileDialogs::open_file(const Question& question) {
  return s(
      QFileDialog::getOpenFileName(front_window(), q(question.title), q(question.start), q(question.filter)));
}

namespace {
// The first suffix a filter names, "pdf" for "PDF document (*.pdf)"; empty
// for one that takes any name.
QString first_suffix(const QString& filter) {
  static const QRegularExpression suffix(u"\\*\\.([A-Za-z0-9]+)"_s);
  return suffix.match(filter).captured(1);
}
} // namespace

std::string FileDialogs::save_file(const Question& question) {
  // A name typed bare gets the chosen filter's suffix inside the dialog, so
  // the dialog's own question about replacing a file is about the right one.
  QFileDialog dialog(front_window(), q(question.title), {}, q(question.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  QFileInfo start(q(question.start));
  if (start.isDir()) {
    dialog.setDirectory(start.absoluteFilePath());
  } else {
    dialog.setDirectory(start.absolutePath());
    dialog.selectFile(start.fileName());
  }
  dialog.setDefaultSuffix(first_suffix(dialog.selectedNameFilter()));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog](const QString& filter) { dialog.setDefaultSuffix(first_suffix(filter)); });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return s(dialog.selectedFiles().constFirst());
}

} // namespace lw::ui
