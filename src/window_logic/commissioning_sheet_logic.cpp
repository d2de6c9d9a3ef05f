#include "window_logic/commissioning_sheet_logic.h"

#include "core/catalogue.h"
#include "core/open_configuration.h"
#include "core/ports.h"
#include "core/text.h"
#include "core/text_ids.h"
#include "formats/errors.h"
#include "languages/language_locale.h"
#include "platform/files.h"
#include "platform/url_opener.h"
#include "projects/output_guard.h"
#include "report/commissioning_sheet.h"

#include <array>

namespace lw {

std::string CommissioningSheetLogic::suggestion() const {
  const std::string& folder = folder_.empty() ? conf_.Conf_Dir : folder_;
  return fs::join(folder, conf_.Conf_Name + ".pdf");
}

std::optional<std::string> CommissioningSheetLogic::save_commissioning_sheet() {
  std::string path = ports_.files.save_file(
      {catalogue_.text(text_id::kSheetTitle), suggestion(), catalogue_.text(text_id::kSheetFilter)});
  if (path.empty()) return std::nullopt;
  const std::array<std::string, 1> shown{path};
  // The dialog gives a bare name its filter's suffix before it asks about
  // replacing a file; adding one here would write a file it never asked about.
  if (!sheet_format(path)) {
    ports_.messages.error(fill_places(catalogue_.text(text_id::kSheetWrongSuffix), shown));
    return std::nullopt;
  }
  if (!write(path)) return std::nullopt;
  if (ports_.messages.confirm(fill_places(catalogue_.text(text_id::kSheetWritten), shown)) &&
      !ports_.urls.open(path))
    ports_.messages.error(catalogue_.text(text_id::kSheetNotOpened));
  return path;
}

bool CommissioningSheetLogic::write(const std::string& path) {
  try {
    SheetFacts facts{conf_.Conf_Name, conf_.Conf_Dir, ports_.wall.local_now(),
                     std::string(locale_of_language(catalogue_.Texts_Language))};
    doc::Document sheet = commissioning_sheet(facts, catalogue_.Text_Table);
    save_output(path,
                commissioning_sheet_bytes(sheet, sheet_format(path).value_or(SheetFormat::Pdf), ports_.pdf));
  } catch (const FileError& e) {
    ports_.messages.error(e.what());
    return false;
  }
  folder_ = fs::file_name(path) == path ? std::string() : fs::parent_folder(path);
  return true;
}

} // namespace lw
