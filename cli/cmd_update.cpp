#include "app/app_state.h"
#include "app/identity.h"
#include "app/ports.h"
#include "cli.h"
#include "image/compiler.h"
#include "image/descriptor.h"
#include "languages/text_table.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/icmp_echo.h"
#include "platform/process.h"
#include "update/boot_logic.h"

#include <ostream>

namespace lw::cli {

namespace {
class NoMessages : public UserMessages {
public:
  void error(const std::string&) override {}
  void warning(const std::string&) override {}
  bool confirm(const std::string&) override { return false; }
};

constexpr int kExitDeviceNotFound = 3;
} // namespace

// Step 4 without a window: compile, probe, describe, run the updater.
int cmd_update(const Args& args, Io& io) {
  constexpr const char* kUsage =
      "loomwork-cli update: usage: update CONF_DIR --ip A.B.C.D [--option 0|1|2] [--no-read-back]\n";
  std::string conf_dir, ip;
  int option = 0;
  bool read_back = true, ip_given = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    bool has_value = i + 1 < args.size();
    if (a == "--ip" && has_value)
      ip = args[++i], ip_given = true;
    else if (a == "--option" && has_value && (args[i + 1] == "0" || args[i + 1] == "1" || args[i + 1] == "2"))
      option = args[++i][0] - '0';
    else if (a == "--no-read-back")
      read_back = false;
    else if (!a.starts_with("-") && conf_dir.empty())
      conf_dir = a;
    else {
      io.err << kUsage;
      return kExitUsage;
    }
  }
  if (conf_dir.empty() || !ip_given) {
    io.err << kUsage;
    return kExitUsage;
  }
  if (!fs::is_dir(conf_dir)) {
    io.err << "loomwork-cli update: " << conf_dir << " is not a folder\n";
    return kExitUsage;
  }
  AppState state;
  state.Text_Table.Fill_English_Texts();
  state.App_Dir = io.exe_dir;
  state.Master_Dir = fs::join(io.exe_dir, kMasterFolder);
  state.Conf_Dir = absolute_folder(conf_dir);

  image::ImageCompiler compiler;
  try {
    compiler.Compile_Image(fs::join(state.Conf_Dir, kParGenFile), fs::join(state.Conf_Dir, kDmxDefaultFile));
    compiler.Write_Bank_File(state.Conf_Dir);
  } catch (const FileError& e) {
    io.err << e.what() << "\n";
    return kExitFailure;
  }
  io.out << "image written: " << image::bank_file_path(state.Conf_Dir) << "\n";

  auto parts = address_fields(ip);
  if (!parts) {
    io.out << state.text(837) << "\n";
    return kExitUsage;
  }
  const OctetTexts& fields = *parts;
  IcmpEchoClient echo;
  SteadyClock clock;
  PosixLauncher launcher;
  NoMessages silent;
  BootLogic boot(state, silent, UpdatePorts{echo, clock, launcher, {}, {}});
  io.out << "probing " << join_octets(fields) << "\n" << std::flush;
  if (!boot.Send_Ping(fields)) {
    if (boot.permission_missing()) {
      io.err << *boot.probe_failure() << "\n";
      return kExitFailure;
    }
    if (boot.ping_res == 2) {
      io.out << state.text(836) << "\n";
      return kExitDeviceNotFound;
    }
    io.out << state.text(837) << "\n";
    return kExitUsage;
  }
  io.out << "device answered\n";

  image::DescriptorInputs in{fields, option, read_back, state.Master_Dir, state.Conf_Dir, state.App_Dir};
  std::string updater = fs::join(state.App_Dir, kUpdaterFile);
  try {
    image::Compile_XML_Parameter(in);
    io.out << "descriptor written: " << image::descriptor_path(state.App_Dir) << "\n"
           << "starting " << updater << "\n"
           << std::flush;
    auto status = boot.Start_Program(updater);
    if (!status) {
      io.out << "the updater is still running after 150 s; no longer waiting\n";
      return kExitFailure;
    }
    io.out << "updater ended with exit status " << *status << "\n";
  } catch (const FileError& e) {
    io.err << e.what() << "\n";
    return kExitFailure;
  }
  return kExitOk;
}

} // namespace lw::cli
