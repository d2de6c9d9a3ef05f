#include "cli.h"
#include "core/text_ids.h"
#include "formats/utf8.h"
#include "platform/files.h"
#include "projects/configuration_from_image.h"

#include <ostream>

namespace lw::cli {

// A configuration made from an image, whole or not at all; its files must
// compile back to the image's bytes, and its name follows the
// new-configuration rules.
int cmd_import_image(const Parsed& args, Io& io) {
  const std::string& image_path = args.positionals[0];
  const std::string& name = args.positionals[1];
  const std::string projects_dir = args.value("--projects", projects_beside(io));
  const TextTable texts = english_texts();
  auto refused = [&](const std::string& text, int status) {
    complain(io.err, args.command) << text << "\n";
    return status;
  };
  if (auto refusal = new_name_refusal(projects_dir, name))
    return refused(texts.Get(refusal_message(*refusal)), kExitNameRefused);
  ImageConfiguration made = configuration_from_image_file(image_path);
  if (made.refusal) return refused(image_refusal_text(*made.refusal, texts), kExitImageUnsound);
  if (auto refusal = written([&] { return place_configuration(projects_dir, name, made.files); }))
    return refused(texts.Get(refusal_message(*refusal)), kExitNameRefused);
  io.out << utf8::printable(fs::join(projects_dir, name)) << "\n";
  io.out << "note: " << texts.Get(text_id::kMsgMnemonicsNotRecovered) << "\n";
  if (auto note = editors_refusal_note(fs::join(projects_dir, name), texts))
    io.out << "note: " << *note << "\n";
  return kExitOk;
}

} // namespace lw::cli
