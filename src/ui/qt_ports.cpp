#include "ui/qt_ports.h"

#include "core/identity.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace lw::ui {

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

std::string FileDialogs::save_file(const Question& question) {
  return s(
      QFileDialog::getSaveFileName(front_window(), q(question.title), q(question.start), q(question.filter)));
}

} // namespace lw::ui
