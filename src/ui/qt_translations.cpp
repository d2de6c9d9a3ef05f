#include "ui/qt_translations.h"

#include "languages/language_locale.h"
#include "ui/qt_text.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace lw::ui {

using namespace Qt::StringLiterals;

void QtTranslations::follow(const std::string& language) {
  std::string_view locale = locale_of_language(language);
  if (locale == locale_) return;
  locale_ = locale;
  QCoreApplication::removeTranslator(&translator_);
  if (translator_.load(u"qtbase_"_s + q(locale), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&translator_);
}

} // namespace lw::ui
