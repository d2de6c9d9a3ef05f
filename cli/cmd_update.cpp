#include "cli.h"
#include "core/app_state.h"
#include "core/identity.h"
#include "core/ports.h"
#include "core/text_ids.h"
#include "core/text_table.h"
#include "image/compiler.h"
#include "image/descriptor.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/icmp_echo.h"
#include "platform/process.h"
#include "update_args.h"
#include "windows/boot_logic.h"

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
  auto parsed = parse_update_args(args, io, "update", false);
  if (!parsed) return kExitUsage;
  const std::string& ip = parsed->ip;
  const int option = parsed->option;
  const bool read_back = parsed->read_back;
  AppState state;
  state.Text_Table.Fill_English_Texts();
  state.App_Dir = io.exe_dir;
  state.Master_Dir = fs::join(io.exe_dir, kMasterFolder);
  state.Conf_Dir = parsed->conf_dir;

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
    io.out << state.text(text_id::kMsgCheckIpAddress) << "\n";
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
      io.out << state.text(text_id::kMsgDeviceNotFound) << "\n";
      return kExitDeviceNotFound;
    }
    io.out << state.text(text_id::kMsgCheckIpAddress) << "\n";
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
