#include "cli.h"
#include "core/identity.h"
#include "core/limits.h"
#include "formats/utf8.h"
#include "image/compiler.h"
#include "image/descriptor.h"
#include "image/inspect.h"
#include "params/ip_address.h"
#include "platform/files.h"
#include "projects/output_guard.h"
#include "update_args.h"

#include <cstdio>
#include <ostream>

namespace lw::cli {

int cmd_compile(const Parsed& args, Io& io) {
  std::string conf_dir = args.positionals[0];
  const std::string output = args.value("-o");
  conf_dir = absolute_folder(conf_dir);
  image::ImageCompiler compiler;
  compiler.Compile_Image(fs::join(conf_dir, kParGenFile), fs::join(conf_dir, kDmxDefaultFile));
  std::string path = output.empty() ? image::bank_file_path(conf_dir) : output;
  written([&] {
    if (output.empty())
      compiler.Write_Bank_File(conf_dir);
    else
      save_output(path, std::string_view(reinterpret_cast<const char*>(compiler.Image_Buffer.data()),
                                         static_cast<std::size_t>(compiler.Image_Size)));
  });
  auto img = compiler.image();
  io.out << utf8::printable(path) << "\n"
         << compiler.Image_Size << " bytes\n"
         << "checksum " << image::hex32(image::read_le(img.data() + image::kChecksumOffset, 4)) << "\n";
  return kExitOk;
}

int cmd_inspect(const Parsed& args, Io& io) {
  image::Inspection in = image::inspect(fs::read_bytes(args.positionals[0], kMaxImageBytes));
  io.out << (args.has("--json") ? image::inspection_json(in) : image::inspection_text(in));
  return in.sound() ? kExitOk : kExitImageUnsound;
}

int cmd_descriptor(const Parsed& args, Io& io) {
  const UpdateArgs parsed = update_args(args);
  const std::string& ip = parsed.ip;
  const std::string& output = parsed.output;
  image::DescriptorInputs in;
  in.option = parsed.option;
  in.read_back = parsed.read_back;
  // Only an address the probe would accept goes into a descriptor, in plain
  // decimal as the update writes it: the updater must never be sent to
  // "300.1.1.1" or to a text with a line break in it.
  auto octets = usable_address(ip);
  if (!octets) {
    complain(io.err, args.command) << "--ip needs four numbers from 0 to 255 separated by dots\n";
    return kExitUnusableAddress;
  }
  in.ip = octet_texts(*octets);
  in.App_Dir = io.exe_dir;
  in.Master_Dir = master_beside(io);
  in.Conf_Dir = parsed.conf_dir;
  std::string path = output.empty() ? image::descriptor_path(in.App_Dir) : output;
  written([&] {
    if (output.empty())
      image::Compile_XML_Parameter(in);
    else
      save_output(path, image::descriptor_xml(in));
  });
  io.out << utf8::printable(path) << "\n";
  return kExitOk;
}

} // namespace lw::cli
