#include "window_logic/boot_dialog.h"

#include "core/catalogue.h"
#include "core/open_configuration.h"
#include "core/ports.h"
#include "core/program_folders.h"
#include "core/text.h"
#include "core/text_ids.h"
#include "image/descriptor.h"
#include "options/settings.h"
#include "site/unit_status.h"
#include "update/change_preview.h"
#include "update/sequence.h"
#include "window_logic/update_messages.h"

namespace lw {

BootLogic::BootLogic(const ProgramFolders& folders, Settings& settings, const OpenConfiguration& conf,
                     const Catalogue& catalogue, UserMessages& messages, UpdatePorts ports,
                     RecordPorts record)
    : folders_(folders), settings_(settings), conf_(conf), catalogue_(catalogue), messages_(messages),
      ports_(std::move(ports)), record_(record) {
  auto outer = ports_.cancelled;
  ports_.cancelled = [this, outer] { return stop_requested_ || (outer && outer()); };
}

std::optional<OctetTexts> BootLogic::prefill() {
  own_address_.reset();
  // No configuration open: its folder would be the working one.
  if (!conf_.Conf_Dir.empty()) {
    const UnitStatus status = unit_status(conf_.Conf_Dir, catalogue_.Text_Table);
    if (status.configured) own_address_ = status.configured->address;
    // The remembered address is that of whichever configuration was updated
    // last; this one's own record names its device.
    if (status.address_now && status.address_now_recorded) return octet_texts(*status.address_now);
  }
  if (settings_.Last_IP_Address.empty()) return std::nullopt;
  return Split_IP_Address(settings_.Last_IP_Address);
}

AddressNote BootLogic::address_note(const OctetTexts& fields, int option) const {
  if (!own_address_) return {};
  const std::string own = dotted(*own_address_);
  AddressNote note{fill_places(catalogue_.text(text_id::kOwnAddress), {&own, 1}), {}};
  const auto typed = usable_address(join_octets(fields));
  if (typed && *typed != *own_address_ && option != image::kFirmwareOnly)
    note.move = fill_places(catalogue_.text(text_id::kDeviceMovesToOwnAddress), {&own, 1});
  return note;
}

std::string BootLogic::preview() const { return change_preview(conf_.Conf_Dir, catalogue_.Text_Table); }

ProbeOutcome BootLogic::Send_Ping(const OctetTexts& fields) {
  return lw::Send_Ping(ports_, join_octets(fields));
}

std::optional<OctetTexts> BootLogic::Btn_UpdateClick(const OctetTexts& fields, int option, bool read_back) {
  // The probe lets window events through, Execute among them: a second
  // hand-over inside the first would stack probes and messages.
  if (running_) return std::nullopt;
  struct Running {
    bool& flag;
    explicit Running(bool& f) : flag(f) { flag = true; }
    ~Running() { flag = false; }
  } running(running_);
  stop_requested_ = false;
  HandOverRequest request{join_octets(fields), option,         read_back,
                          folders_.Master_Dir, conf_.Conf_Dir, folders_.App_Dir};
  // Step 4 wrote the image before the dialog opened: it is the one handed over.
  auto recorded =
      Record_Attempt({conf_.Conf_Dir, request.address, option, read_back, std::nullopt}, true, ports_,
                     record_, [&](const UpdatePorts& ports) { return Hand_Over(request, ports); });
  const UpdateOutcome& outcome = recorded.outcome;
  std::optional<OctetTexts> shown;
  if (device_answered(outcome)) {
    settings_.Last_IP_Address = canonical_address(request.address).value_or(request.address);
    Update_Option_Index = option;
    Update_Read_Back = read_back;
    shown = Split_IP_Address(settings_.Last_IP_Address);
  }
  Show_Outcome(messages_, catalogue_, outcome);
  const std::pair<const std::optional<std::string>&, int> failures[] = {
      {recorded.failures.log, text_id::kMsgUpdateLogNotWritten},
      {recorded.failures.kept, text_id::kMsgSentImageNotKept}};
  for (const auto& [failure, index] : failures)
    if (failure) messages_.warning(catalogue_.text(index) + "\n" + *failure);
  return shown;
}

} // namespace lw
