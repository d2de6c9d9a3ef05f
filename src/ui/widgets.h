#pragma once
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <string>
#include <string_view>

class QPainter;
class QVBoxLayout;

namespace lw::ui {

// The style's keyboard focus frame, for controls whose own drawing shows no
// focus (flat buttons, labels). Like every other control's focus it shows
// once the keyboard has moved the focus in that window. The frame goes round
// `area` of what the painter paints on, the whole widget when it is empty.
void draw_focus_frame(QWidget* widget, QPainter& painter, QRect area = {});

// A label that reports clicks (web address labels, flag pictures). Given the
// focus (set_keyboard_reachable), Enter and Space click it too.
class ClickableLabel : public QLabel {
  Q_OBJECT
public:
  using QLabel::QLabel;
  void set_keyboard_reachable() { setFocusPolicy(Qt::StrongFocus); }
signals:
  void clicked();

protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

// A push button whose icon and caption sit at its left edge, as the steps of
// the main window want (a plain push button centres them).
class StepButton : public QPushButton {
  Q_OBJECT
public:
  using QPushButton::QPushButton;
  // Where the caption goes: right of the icon, inside the padding.
  QRect caption_rect() const;

protected:
  void paintEvent(QPaintEvent* event) override;
};

// A push button that adds the focus frame to its own look: a flat button
// shows no focus in some styles, and a default button's own look can't be
// told from a focused one's.
class FocusButton : public QPushButton {
public:
  using QPushButton::QPushButton;

protected:
  void paintEvent(QPaintEvent* event) override;
};

// A text to read, never edited: the keyboard scrolls it, so it takes the
// focus, and shows it with the frame since a read-only text has no cursor.
class ReadingBox : public QPlainTextEdit {
public:
  explicit ReadingBox(QWidget* parent);

protected:
  void paintEvent(QPaintEvent* event) override;
};

// The strip at the top of every dialog: the software code in large grey type
// and the window's heading under it.
class TitleStrip : public QWidget {
public:
  explicit TitleStrip(QWidget* parent);
  QLabel* L_SW_Code;
  QLabel* L_SW_Desc;

protected:
  void paintEvent(QPaintEvent* event) override;
};

// A dialog's column: the title strip on top (with the software code, when
// given), then whatever the dialog adds.
QVBoxLayout* dialog_column(QWidget* dialog, TitleStrip*& title, std::string_view sw_code);

// The 40-pixel strip at the bottom of a dialog with its two buttons, at the
// right of the strip or, when asked, at its left. The dialog makes its
// confirming button the default one.
struct ButtonStrip {
  QWidget* strip;
  QPushButton* first;
  QPushButton* second;
};
ButtonStrip add_button_strip(QWidget* dialog, QVBoxLayout* column, const char* first, const char* second,
                             bool at_left = false);
// A button at the left of the strip, apart from the two that close the
// dialog; Tab reaches it after `before` and then the strip's first button.
QPushButton* add_side_button(const ButtonStrip& buttons, const char* name, QWidget* before);

void style_large_code(QLabel* label);
void style_bold_grey(QLabel* label);
void style_grey(QLabel* label);
void set_text_colour(QWidget* widget, QColor colour);

} // namespace lw::ui
