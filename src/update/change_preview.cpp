#include "update/change_preview.h"

#include "core/identity.h"
#include "core/limits.h"
#include "image/compiler.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "update/image_diff.h"
#include "update/update_record.h"

#include <algorithm>

namespace lw {

image::Image load_image(const std::string& path) {
  std::string bytes = fs::read_bytes(path, kMaxImageBytes);
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

std::string change_preview(const std::string& conf_dir, const TextTable& texts) {
  const std::string last_sent = last_sent_path(conf_dir);
  if (!fs::exists(last_sent)) return texts.Get(text_id::kPreviewFirstUpdate);
  try {
    image::Image before = load_image(last_sent);
    image::Image after = load_image(image::bank_file_path(conf_dir));
    DMX_Def_Table mnemonics = configuration_mnemonics(conf_dir);
    ImageDiff diff = diff_images(before, after, &mnemonics);
    if (diff.equal()) return texts.Get(text_id::kPreviewNoChange);
    return texts.Get(text_id::kPreviewHeading) + "\n" + diff_text(diff, texts);
  } catch (const FileError& e) {
    return texts.Get(text_id::kPreviewNotCompared) + "\n" + e.what();
  }
}

} // namespace lw
