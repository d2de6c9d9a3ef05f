#include "report/commissioning_sheet.h"

#include "core/identity.h"
#include "core/limits.h"
#include "core/text.h"
#include "core/text_ids.h"
#include "formats/csv.h"
#include "formats/errors.h"
#include "formats/html_document.h"
#include "formats/utf8.h"
#include "image/compiler.h"
#include "params/dmx_defaults.h"
#include "params/par_gen.h"
#include "params/stored_checks.h"
#include "platform/files.h"
#include "platform/pdf.h"
#include "update/change_preview.h"
#include "update/image_diff.h"
#include "update/update_log.h"

#include <algorithm>
#include <array>

namespace lw {

namespace {
namespace at = image::at;

// Says first when the update would refuse the configuration: a sheet is
// no place to hide that.
doc::Section about(const SheetFacts& facts, const TextTable& texts) {
  doc::Section s{texts.Get(text_id::kSheetConfiguration), {}, {}};
  try {
    if (auto failure = stored_files_failure(fs::join(facts.conf_dir, kParGenFile),
                                            fs::join(facts.conf_dir, kDmxDefaultFile), texts)) {
      const std::array<std::string, 1> why{*failure};
      s.lines.push_back(fill_places(texts.Get(text_id::kSheetUpdateRefuses), why));
    }
  } catch (const FileError&) {
    // The image can't be compiled either, and that error is the one to show.
  }
  s.table.rows = {{texts.Get(text_id::kSheetName), facts.conf_name},
                  {texts.Get(text_id::kSheetProduced), iso_8601(facts.produced)},
                  {texts.Get(text_id::kSheetProgram), program_text()}};
  return s;
}

doc::Section parameters(const image::Image& image, const TextTable& texts) {
  doc::Section s{texts.Get(text_id::kSheetParameters), {}, {}};
  for (const ImageField& field : image_fields(image))
    s.table.rows.push_back({texts.Get(field.label), shown_text(field.value, texts)});
  return s;
}

// The channels of the channel count, and any after it the image still
// gives a value: all of them go to the device.
doc::Section channels(const image::Image& image, const DMX_Def_Table& mnemonics, const TextTable& texts) {
  const std::uint32_t count =
      std::min<std::uint32_t>(image::dmx_channel_count(image.data()), image::kDmxBlockSize);
  std::uint32_t shown = count;
  for (std::uint32_t i = count; i < image::kDmxBlockSize; ++i)
    if (image[image::kParamBlockSize + i] != 0) shown = i + 1;
  const bool one_per_register = image[at::dmx_mapping] & 0x01;
  doc::Section s{texts.Get(text_id::kSheetChannels), {}, {}};
  if (shown > count) {
    const std::array<std::string, 2> range{std::to_string(count + 1), std::to_string(shown)};
    s.lines.push_back(fill_places(texts.Get(text_id::kSheetBeyondCount), range));
  }
  s.table.columns = {{texts.Get(text_id::kPreviewChannel), 2, doc::Align::Right},
                     {texts.Get(text_id::kDmxValueColumn), 2, doc::Align::Right},
                     {texts.Get(text_id::kDmxMnemonicColumn), 7, doc::Align::Left},
                     {texts.Get(text_id::kSheetRegister), 3, doc::Align::Right}};
  for (std::uint32_t i = 0; i < shown; ++i)
    s.table.rows.push_back({std::to_string(i + 1), std::to_string(image[image::kParamBlockSize + i]),
                            i < mnemonics.size() ? mnemonics[i].Mnemonic : std::string(),
                            one_per_register ? std::to_string(i) : std::string()});
  return s;
}

// As lines across the page: a hash whole on one line is one to compare.
doc::Section image_section(const image::Image& image, const TextTable& texts) {
  return {texts.Get(text_id::kSheetImage),
          {texts.Get(text_id::kPreviewChecksum) + ": " + image_checksum_text(image),
           texts.Get(text_id::kSheetHash) + ": " + image_sha256(image)},
          {}};
}

// The log's last lines, newest last, as the log has them: its words for the
// option and the outcome are the same in every language.
doc::Section updates(const std::string& conf_dir, const TextTable& texts) {
  doc::Section s{texts.Get(text_id::kSheetUpdates), {}, {}};
  try {
    // A link's target is some other file: its lines would read as no update.
    const std::vector<LoggedAttempt> attempts = last_logged_attempts(conf_dir, kSheetLogLines);
    if (attempts.empty()) {
      s.lines.push_back(texts.Get(text_id::kSheetNoUpdates));
      return s;
    }
    s.table.columns = {
        {texts.Get(text_id::kSheetTime), 5},       {texts.Get(par_gen_field("Ethernet_IP1").view.label), 4},
        {texts.Get(text_id::kSheetOption), 5},     {texts.Get(text_id::kUpdateReadBackLabel), 4},
        {texts.Get(text_id::kPreviewChecksum), 4}, {texts.Get(text_id::kSheetOutcome), 6}};
    for (const LoggedAttempt& a : attempts)
      s.table.rows.push_back({a.time, a.address, a.option, a.read_back, a.checksum, logged_outcome_text(a)});
  } catch (const FileError& e) {
    s.lines.push_back(texts.Get(text_id::kSheetLogUnreadable) + " " + e.what());
  }
  return s;
}
} // namespace

std::optional<SheetFormat> sheet_format(const std::string& path) {
  const std::string name = utf8::ascii_lower(fs::file_name(path));
  if (name.ends_with(".pdf")) return SheetFormat::Pdf;
  if (name.ends_with(".html") || name.ends_with(".htm")) return SheetFormat::Html;
  return std::nullopt;
}

namespace {
// Every row the DMX file has, up to the image's channels: a row after the
// channel count keeps its name as it keeps its value.
DMX_Def_Table all_mnemonics(const std::string& conf_dir) {
  try {
    return Load_DMX_Defaults(fs::join(conf_dir, kDmxDefaultFile), static_cast<int>(image::kDmxBlockSize));
  } catch (const FileError&) {
    return {};
  }
}
} // namespace

doc::Document commissioning_sheet(const SheetFacts& facts, const TextTable& texts) {
  const image::Image image = compiled_image(facts.conf_dir);
  doc::Document sheet;
  sheet.title = texts.Get(text_id::kSheetTitle) + ": " + facts.conf_name;
  sheet.page_header =
      facts.conf_name + " - " + texts.Get(text_id::kSheetTitle) + " - " + iso_8601(facts.produced);
  sheet.page_number = texts.Get(text_id::kSheetPageNumber);
  sheet.language = facts.language;
  sheet.sections = {about(facts, texts), parameters(image, texts),
                    channels(image, all_mnemonics(facts.conf_dir), texts), image_section(image, texts),
                    updates(facts.conf_dir, texts)};
  cut_cells(sheet);
  return sheet;
}

std::string commissioning_sheet_bytes(const doc::Document& sheet, SheetFormat format, PdfRenderer* pdf) {
  if (format == SheetFormat::Html) return html_document(sheet);
  if (!pdf) throw FileError("This build of the program writes no PDF; write the sheet as .html instead");
  return pdf->render(sheet);
}

} // namespace lw
