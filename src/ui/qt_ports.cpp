#include "ui/qt_ports.h"

#include "ui/qt_text.h"

#include <QApplication>
#include <QMessageBox>

namespace lw::ui {

using namespace Qt::StringLiterals;

namespace {
QWidget* front_window() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}
} // namespace

void MessageBoxes::error(const std::string& text) {
  QMessageBox::critical(front_window(), u"Error"_s, q(text));
}

void MessageBoxes::warning(const std::string& text) {
  QMessageBox::warning(front_window(), u"Warning"_s, q(text));
}

bool MessageBoxes::confirm(const std::string& text) {
  return QMessageBox::question(front_window(), u"Confirm"_s, q(text), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

} // namespace lw::ui
