#include "cli.h"
#include "platform/files.h"
#include "projects/configuration_folder.h"
#include "update/change_preview.h"
#include "update/image_diff.h"

#include <ostream>

namespace lw::cli {

namespace {
// An image file as it is, or a configuration folder's image as its files
// compile now; some other folder would compile to defaults and differ in
// every field.
image::Image side_image(const std::string& path) {
  if (!fs::is_dir(path)) return load_image(path);
  require_configuration(path);
  return compiled_image(path);
}
} // namespace

int cmd_diff(const Parsed& args, Io& io) {
  const std::string& a = args.positionals[0];
  const std::string& b = args.positionals[1];
  const image::Image before = side_image(a);
  const image::Image after = side_image(b);
  // The newer side's names for its channels, else the older side's.
  DMX_Def_Table mnemonics;
  if (fs::is_dir(b))
    mnemonics = configuration_mnemonics(b);
  else if (fs::is_dir(a))
    mnemonics = configuration_mnemonics(a);
  ImageDiff diff = diff_images(before, after, &mnemonics);
  TextTable texts = english_texts();
  io.out << (args.has("--json") ? diff_json(diff, texts) : diff_text(diff, texts));
  return diff.equal() ? kExitImagesEqual : kExitImagesDiffer;
}

} // namespace lw::cli
