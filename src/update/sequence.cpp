#include "update/sequence.h"

#include "core/identity.h"
#include "formats/errors.h"
#include "image/compiler.h"
#include "image/descriptor.h"
#include "params/ip_address.h"
#include "params/stored_checks.h"
#include "platform/files.h"
#include "update/probe.h"
#include "update/updater.h"

namespace lw {

namespace {
using Kind = UpdateOutcome::Kind;

// Where a probe that got no answer ends the update.
Kind failure_kind(ProbeResult result) {
  switch (result) {
  case ProbeResult::Silent: return Kind::Silent;
  case ProbeResult::UnusableAddress: return Kind::UnusableAddress;
  case ProbeResult::NotPermitted: return Kind::NotPermitted;
  case ProbeResult::Cancelled: return Kind::Cancelled;
  case ProbeResult::SendFailed:
  case ProbeResult::Answered: break; // never asked for an answer
  }
  return Kind::SendFailed;
}
} // namespace

ImageSources configuration_files(const std::string& conf_dir) {
  return {fs::join(conf_dir, kParGenFile), fs::join(conf_dir, kDmxDefaultFile), conf_dir};
}

std::optional<UpdateOutcome> Write_Image(const ImageSources& sources, const TextTable& texts) {
  image::ImageCompiler compiler;
  try {
    if (auto failure = stored_files_failure(sources.File_ParGen, sources.File_DMX_Default, texts))
      return UpdateOutcome{Kind::TestFailed, 0, *failure};
    compiler.Compile_Image(sources.File_ParGen, sources.File_DMX_Default);
    compiler.Write_Bank_File(sources.Conf_Dir);
  } catch (const FileError& e) {
    return UpdateOutcome{Kind::ImageNotWritten, 0, e.what()};
  }
  return std::nullopt;
}

UpdateOutcome Hand_Over(const HandOverRequest& request, const UpdatePorts& ports) {
  // The descriptor names the device by the four texts, so a text without
  // them is refused before any request goes out.
  if (!address_fields(request.address)) return {Kind::UnusableAddress, 0, {}};
  ports.progress(UpdateStep::Probing);
  ProbeOutcome probe = Send_Ping(ports, request.address);
  if (probe.result != ProbeResult::Answered) return {failure_kind(probe.result), 0, probe.system_text};
  ports.progress(UpdateStep::Answered);

  // The device that answered is the one the updater is sent to: the address
  // goes out in plain decimal, whatever leading zeros or signs were typed.
  image::DescriptorInputs in{octet_texts(*usable_address(request.address)),
                             request.option,
                             request.read_back,
                             request.Master_Dir,
                             request.Conf_Dir,
                             request.App_Dir};
  try {
    image::Compile_XML_Parameter(in);
  } catch (const FileError& e) {
    return {Kind::DescriptorNotWritten, 0, e.what()};
  }
  ports.progress(UpdateStep::DescriptorWritten);
  ports.progress(UpdateStep::StartingUpdater);
  return Start_Program(ports, fs::join(request.App_Dir, kUpdaterFile));
}

UpdateOutcome Run_Update(const ImageSources& image, const TextTable& texts, const HandOverRequest& request,
                         const UpdatePorts& ports) {
  // An address no probe could use fails before anything is written.
  if (!usable_address(request.address)) return {Kind::UnusableAddress, 0, {}};
  if (auto failed = Write_Image(image, texts)) return *failed;
  ports.progress(UpdateStep::ImageWritten);
  return Hand_Over(request, ports);
}

RecordedUpdate Update_Configuration(const HandOverRequest& request, const TextTable& texts,
                                    const UpdatePorts& ports, RecordPorts& record) {
  // The image is the one the run writes, so an attempt that stops before it
  // logs none.
  return Record_Attempt({request.Conf_Dir, request.address, request.option, request.read_back, std::nullopt},
                        false, ports, record, [&](const UpdatePorts& watched) {
                          return Run_Update(configuration_files(request.Conf_Dir), texts, request, watched);
                        });
}

} // namespace lw
