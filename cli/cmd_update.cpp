#include "cli.h"
#include "core/identity.h"
#include "core/text_table.h"
#include "formats/utf8.h"
#include "image/compiler.h"
#include "image/descriptor.h"
#include "params/ip_address.h"
#include "platform/files.h"
#include "system_update.h"
#include "update/sequence.h"
#include "update_args.h"
#include "update_report.h"

#include <ostream>

namespace lw::cli {

// Step 4 without a window: the whole sequence, a line at each point it passes.
int cmd_update(const Parsed& args, Io& io) {
  const UpdateArgs parsed = update_args(args);
  const TextTable texts = english_texts();
  const HandOverRequest request{parsed.ip,         parsed.option,   parsed.read_back,
                                master_beside(io), parsed.conf_dir, io.exe_dir};
  const std::string updater = fs::join(request.App_Dir, kUpdaterFile);

  SystemUpdate system;
  system.ports.progress = [&](UpdateStep step) {
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
  const RecordedUpdate recorded = Update_Configuration(request, texts, system.ports, system.record);
  // The update has run whatever became of its record; a script still learns
  // of a record missing from stderr.
  report_record_failures(recorded.failures, "", io);
  return report_update(recorded.outcome, texts, io);
}

} // namespace lw::cli
