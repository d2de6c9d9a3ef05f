#include "update/change_preview.h"

#include "core/identity.h"
#include "core/limits.h"
#include "core/text.h"
#include "core/text_ids.h"
#include "formats/errors.h"
#include "formats/utf8.h"
#include "image/compiler.h"
#include "platform/files.h"
#include "update/image_diff.h"
#include "update/update_log.h"
#include "update/update_record.h"

#include <algorithm>
#include <array>
#include <vector>

namespace lw {

image::Image load_image(const std::string& path, fs::Links links) {
  std::string bytes = fs::read_bytes(path, kMaxImageBytes, links);
  if (bytes.size() != image::kImageSize)
    throw FileError(path + ": " + std::to_string(bytes.size()) + " bytes, an image has " +
                    std::to_string(image::kImageSize));
  image::Image out{};
  std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(out.data()));
  return out;
}

image::Image compiled_image(const std::string& conf_dir) {
  image::ImageCompiler compiler;
  compiler.Compile_Image(fs::join(conf_dir, kParGenFile), fs::join(conf_dir, kDmxDefaultFile));
  return compiler.image();
}

DMX_Def_Table configuration_mnemonics(const std::string& conf_dir) {
  try {
    int channels = dmx_channel_count(fs::join(conf_dir, kParGenFile));
    return Load_DMX_Defaults(fs::join(conf_dir, kDmxDefaultFile), channels);
  } catch (const FileError&) {
    return {};
  }
}

namespace {
// A line on the last attempt when it did not end in success, read from the
// log: the image last sent may then not be what the device holds.
std::string last_attempt_note(const std::string& conf_dir, const TextTable& texts) {
  try {
    const std::vector<LoggedAttempt> last = last_logged_attempts(conf_dir, 1);
    if (last.empty() || last[0].succeeded()) return {};
    const std::array<std::string, 2> places{last[0].time, logged_outcome_text(last[0])};
    // The log may be edited by hand: its words stay on their one line.
    return utf8::printable(fill_places(texts.Get(text_id::kPreviewLastAttemptFailed), places)) + "\n";
  } catch (const FileError& e) {
    return texts.Get(text_id::kSheetLogUnreadable) + " " + e.what() + "\n";
  }
}

std::string comparison(const std::string& conf_dir, const TextTable& texts, bool attempted) {
  const std::string last_sent = last_sent_path(conf_dir);
  if (!fs::exists(last_sent) && !fs::is_link(last_sent))
    return texts.Get(attempted ? text_id::kPreviewNothingSentYet : text_id::kPreviewFirstUpdate);
  try {
    image::Image before = load_image(last_sent, fs::Links::Refuse);
    image::Image after = load_image(image::bank_file_path(conf_dir));
    DMX_Def_Table mnemonics = configuration_mnemonics(conf_dir);
    ImageDiff diff = diff_images(before, after, &mnemonics);
    if (diff.equal()) return texts.Get(text_id::kPreviewNoChange);
    return texts.Get(text_id::kPreviewHeading) + "\n" + diff_text(diff, texts);
  } catch (const FileError& e) {
    return texts.Get(text_id::kPreviewNotCompared) + "\n" + e.what();
  }
}
} // namespace

std::string change_preview(const std::string& conf_dir, const TextTable& texts) {
  std::string note = last_attempt_note(conf_dir, texts);
  return note + comparison(conf_dir, texts, !note.empty());
}

} // namespace lw
