#include "cli.h"
#include "core/identity.h"
#include "core/program_folders.h"
#include "core/text_table.h"
#include "formats/utf8.h"
#include "image/compiler.h"
#include "image/descriptor.h"
#include "params/ip_address.h"
#include "platform/appender.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/icmp_echo.h"
#include "platform/process.h"
#include "update/sequence.h"
#include "update/update_record.h"
#include "update_args.h"
#include "update_report.h"

#include <ostream>

namespace lw::cli {

// Step 4 without a window: the whole sequence, a line at each point it passes.
int cmd_update(const Parsed& args, Io& io) {
  const UpdateArgs parsed = update_args(args);
  TextTable texts;
  texts.Fill_English_Texts();
  const ProgramFolders folders = program_folders(io.exe_dir);
  HandOverRequest request{parsed.ip,          parsed.option,   parsed.read_back,
                          folders.Master_Dir, parsed.conf_dir, folders.App_Dir};
  const std::string updater = fs::join(request.App_Dir, kUpdaterFile);

  IcmpEchoClient echo;
  SteadyClock clock;
  SystemLauncher launcher;
  UpdatePorts ports{echo, clock, launcher, {}, {}};
  ports.progress = [&](UpdateStep step) {
    switch (step) {
    case UpdateStep::ImageWritten:
      io.out << "image written: " << utf8::printable(image::bank_file_path(request.Conf_Dir)) << "\n";
      break;
    case UpdateStep::Probing:
      io.out << "probing " << canonical_address(request.address).value_or(request.address) << "\n"
             << std::flush;
      break;
    case UpdateStep::Answered: io.out << "device answered\n"; break;
    case UpdateStep::DescriptorWritten:
      io.out << "descriptor written: " << utf8::printable(image::descriptor_path(request.App_Dir)) << "\n";
      break;
    case UpdateStep::StartingUpdater:
      io.out << "starting " << utf8::printable(updater) << "\n" << std::flush;
      break;
    }
  };
  SystemWallClock wall;
  FileAppender log;
  RecordPorts record{wall, log};
  auto recorded =
      Record_Attempt({request.Conf_Dir, request.address, request.option, request.read_back, std::nullopt},
                     false, ports, record, [&](const UpdatePorts& watched) {
                       return Run_Update(configuration_files(request.Conf_Dir), texts, request, watched);
                     });
  // The update has run whatever became of its record; a script still learns
  // of a record missing from stderr.
  if (recorded.failures.log) io.err << "update log not written: " << *recorded.failures.log << "\n";
  if (recorded.failures.kept) io.err << "image sent not kept: " << *recorded.failures.kept << "\n";
  return report_update(recorded.outcome, texts, io);
}

} // namespace lw::cli
