#include "ui/qt_ports.h"

#include "core/identity.h"
#include "ui/qt_text.h"

#include <QApplication>
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
} // namespace

void MessageBoxes::error(const std::string& text) { QMessageBox::critical(front_window(), title(), q(text)); }

void MessageBoxes::warning(const std::string& text) {
  QMessageBox::warning(front_window(), title(), q(text));
}

bool MessageBoxes::confirm(const std::string& text) {
  return QMessageBox::question(front_window(), title(), q(text), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

} // namespace lw::ui
