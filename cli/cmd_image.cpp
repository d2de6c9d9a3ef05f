#include "cli.h"
#include "core/identity.h"
#include "core/limits.h"
#include "image/compiler.h"
#include "image/descriptor.h"
#include "image/inspect.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "update/ip_address.h"
#include "update_args.h"

#include <cstdio>
#include <filesystem>
#include <ostream>

namespace lw::cli {

// A folder as an absolute path without a trailing separator: the descriptor
// names absolute files.
std::string absolute_folder(const std::string& dir) {
  std::string out = std::filesystem::absolute(dir).lexically_normal().string();
  while (out.size() > 1 && out.back() == '/')
    out.pop_back();
  return out;
}

namespace {
std::string hex32(std::uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", v);
  return buf;
}
} // namespace

int cmd_compile(const Args& args, Io& io) {
  std::string conf_dir, output;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size())
      output = args[++i];
    else if (!args[i].starts_with("-") && conf_dir.empty())
      conf_dir = args[i];
    else {
      io.err << "loomwork-cli compile: usage: compile CONF_DIR [-o FILE]\n";
      return kExitUsage;
    }
  }
  if (conf_dir.empty()) {
    io.err << "loomwork-cli compile: usage: compile CONF_DIR [-o FILE]\n";
    return kExitUsage;
  }
  if (!fs::is_dir(conf_dir)) {
    io.err << "loomwork-cli compile: " << conf_dir << " is not a folder\n";
    return kExitUsage;
  }
  conf_dir = absolute_folder(conf_dir);
  image::ImageCompiler compiler;
  try {
    compiler.Compile_Image(fs::join(conf_dir, kParGenFile), fs::join(conf_dir, kDmxDefaultFile));
  } catch (const FileError& e) {
    io.err << e.what() << "\n";
    return kExitUsage;
  }
  std::string path = output.empty() ? image::bank_file_path(conf_dir) : output;
  try {
    if (output.empty())
      compiler.Write_Bank_File(conf_dir);
    else
      fs::atomic_save(path, std::string_view(reinterpret_cast<const char*>(compiler.Image_Buffer.data()),
                                             static_cast<std::size_t>(compiler.Image_Size)));
  } catch (const FileError& e) {
    io.err << e.what() << "\n";
    return kExitFailure;
  }
  auto img = compiler.image();
  io.out << path << "\n"
         << compiler.Image_Size << " bytes\n"
         << "checksum " << hex32(image::read_le(img.data() + image::kChecksumOffset, 4)) << "\n";
  return kExitOk;
}

int cmd_inspect(const Args& args, Io& io) {
  std::string file;
  bool json = false;
  for (const auto& a : args) {
    if (a == "--json")
      json = true;
    else if (!a.starts_with("-") && file.empty())
      file = a;
    else {
      io.err << "loomwork-cli inspect: usage: inspect FILE [--json]\n";
      return kExitUsage;
    }
  }
  if (file.empty()) {
    io.err << "loomwork-cli inspect: usage: inspect FILE [--json]\n";
    return kExitUsage;
  }
  std::string bytes;
  try {
    bytes = fs::read_bytes(file, kMaxImageBytes);
  } catch (const FileError& e) {
    io.err << e.what() << "\n";
    return kExitUsage;
  }
  image::Inspection in = image::inspect(bytes);
  io.out << (json ? image::inspection_json(in) : image::inspection_text(in));
  return in.sound() ? kExitOk : kExitFailure;
}

int cmd_descriptor(const Args& args, Io& io) {
  auto parsed = parse_update_args(args, io, "descriptor", true);
  if (!parsed) return kExitUsage;
  const std::string& ip = parsed->ip;
  const std::string& output = parsed->output;
  image::DescriptorInputs in;
  in.option = parsed->option;
  in.read_back = parsed->read_back;
  auto parts = address_fields(ip);
  if (!parts) {
    io.err << "loomwork-cli descriptor: --ip needs four parts separated by dots\n";
    return kExitUsage;
  }
  in.ip = *parts;
  in.App_Dir = io.exe_dir;
  in.Master_Dir = fs::join(io.exe_dir, kMasterFolder);
  in.Conf_Dir = parsed->conf_dir;
  std::string path = output.empty() ? image::descriptor_path(in.App_Dir) : output;
  try {
    image::Compile_XML_Parameter(in, path);
  } catch (const FileError& e) {
    io.err << e.what() << "\n";
    return kExitFailure;
  }
  io.out << path << "\n";
  return kExitOk;
}

} // namespace lw::cli
