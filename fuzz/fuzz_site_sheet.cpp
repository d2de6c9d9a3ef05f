#include "core/text_table.h"
#include "formats/errors.h"
#include "site/site_sheet.h"

#include <cstdlib>

// Any bytes read as a site sheet: every unit it yields passes the editor's
// test and reads back from the sheet written of it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const lw::TextTable texts = [] {
    lw::TextTable t;
    t.Fill_English_Texts();
    return t;
  }();
  static const lw::Par_Gen_Set template_set;
  try {
    lw::SiteSheet sheet =
        lw::read_site_sheet({reinterpret_cast<const char*>(data), size}, template_set, texts, "site.csv");
    for (const lw::SheetUnit& unit : sheet.units)
      if (lw::Controllo_Dati(unit.set)) std::abort();
    if (!sheet.units.empty() && sheet.problems.empty()) {
      lw::SiteSheet again =
          lw::read_site_sheet(lw::site_sheet_csv(sheet.units), template_set, texts, "again.csv");
      if (!again.problems.empty() || again.units.size() != sheet.units.size()) std::abort();
    }
  } catch (const lw::FileError&) {
  }
  return 0;
}
