#pragma once
#include "ui/window_texts.h"

namespace lw::ui {

// A window that takes its texts from the catalogue: its table of control
// texts, built once, and Set_Lang, which applies it and whatever the
// window composes itself.
class Translatable {
public:
  virtual ~Translatable() = default;
  virtual void Set_Lang() = 0;
  const TextRows& text_rows() const { return text_rows_; }

protected:
  TextRows text_rows_;
};

} // namespace lw::ui
