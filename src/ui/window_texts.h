#pragma once
#include "core/text_ids.h"

#include <vector>

class QWidget;

namespace lw {
struct Catalogue;
}

namespace lw::ui {

// One control's catalogue texts: the index of its caption and of its hint
// (text_id::kNone leaves that text alone). The caption of a window is its
// title, of a tab page the text of its tab, of any other control its text.
struct TextRow {
  QWidget* widget;
  int caption;
  int hint = text_id::kNone;
};
using TextRows = std::vector<TextRow>;

// Sets the texts of the rows from the catalogue, row by row in their order.
void apply_texts(const TextRows& rows, const Catalogue& catalogue);

} // namespace lw::ui
