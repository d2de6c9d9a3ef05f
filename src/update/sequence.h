#pragma once
#include "core/text_table.h"
#include "update/outcome.h"
#include "update/update_ports.h"
#include "update/update_record.h"

#include <optional>
#include <string>

namespace lw {

// What the image stage reads and where it writes bin/bank.bin.
struct ImageSources {
  std::string File_ParGen;
  std::string File_DMX_Default;
  std::string Conf_Dir;
};

// The parameter files of a configuration folder.
ImageSources configuration_files(const std::string& conf_dir);

// What the hand-over needs: the address and the choice the descriptor
// carries, and the folders it names.
struct HandOverRequest {
  std::string address; // the four address texts joined with ".", verbatim
  int option = 0;      // image::UpdateOption
  bool read_back = true;
  std::string Master_Dir;
  std::string Conf_Dir;
  std::string App_Dir;
};

// A device update runs in two parts, image then hand-over; step 4 writes the
// image before its dialog opens, the dialog's Execute hands over.

// Runs the two editors' tests on the stored files (their first failing
// message, in the language of texts), then compiles the configuration and
// writes bin/bank.bin; nullopt once written, so neither a stale image nor
// one of values the editors refuse is ever handed over.
[[nodiscard]] std::optional<UpdateOutcome> Write_Image(const ImageSources& sources, const TextTable& texts);

// Probes the device, writes the descriptor and runs the updater, stopping at
// the first stage that fails.
[[nodiscard]] UpdateOutcome Hand_Over(const HandOverRequest& request, const UpdatePorts& ports);

// Both parts in one go.
[[nodiscard]] UpdateOutcome Run_Update(const ImageSources& image, const TextTable& texts,
                                       const HandOverRequest& request, const UpdatePorts& ports);

// Both parts for the configuration in request.Conf_Dir, with its record: the
// attempt's line in its update log and, once handed over, the image kept.
[[nodiscard]] RecordedUpdate Update_Configuration(const HandOverRequest& request, const TextTable& texts,
                                                  const UpdatePorts& ports, RecordPorts& record);

} // namespace lw
