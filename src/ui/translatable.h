#pragma once

namespace lw::ui {

// A window that takes its texts from the catalogue.
class Translatable {
public:
  virtual ~Translatable() = default;
  virtual void Set_Lang() = 0;
};

} // namespace lw::ui
