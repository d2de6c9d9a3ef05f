#pragma once
#include <QTranslator>
#include <string>
#include <string_view>

namespace lw::ui {

// Qt's own texts (the standard buttons of message boxes, the edit menus of
// fields) in the language of the catalogue, from the translations Qt ships.
class QtTranslations {
public:
  // Follows the language named as its language file is; a language Qt has
  // no translation for stays English.
  void follow(const std::string& language);

private:
  QTranslator translator_;
  std::string_view locale_;
};

} // namespace lw::ui
