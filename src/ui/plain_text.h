#pragma once
#include <QString>

class QWidget;

namespace lw::ui {

// Names, paths, translated texts and system messages come from files a user
// or a stranger wrote: shown as markup, "<img src=...>" would load a picture
// and "<font size=7>" take over the window. Everything is shown as text.

// Every label under root that would guess its format is told it holds text;
// a label that asks for markup itself (a link) keeps asking.
void labels_as_plain_text(QWidget* root);

// A tool tip guesses too; a text that looks like markup is escaped inside
// markup, so it shows exactly as written.
QString plain_tool_tip(const QString& text);

} // namespace lw::ui
