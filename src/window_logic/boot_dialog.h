#pragma once
#include "params/ip_address.h"
#include "update/probe.h"
#include "update/update_ports.h"
#include "update/update_record.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace lw {

struct ProgramFolders;
struct Settings;
struct OpenConfiguration;
struct Catalogue;
class UserMessages;

// What the dialog says beside the address fields; an empty text shows nothing.
struct AddressNote {
  std::string own;  // the address the configuration gives the device
  std::string move; // that the device takes it with this update
  bool operator==(const AddressNote&) const = default;
};

// What the Update Device dialog decides.
class BootLogic {
public:
  // The address of the last update that reached a device is a setting.
  BootLogic(const ProgramFolders& folders, Settings& settings, const OpenConfiguration& conf,
            const Catalogue& catalogue, UserMessages& messages, UpdatePorts ports, RecordPorts record);
  BootLogic(const BootLogic&) = delete;
  BootLogic& operator=(const BootLogic&) = delete;

  // The address fields to pre-fill at a showing. The device of this
  // configuration is where the last image of it sent with success put it;
  // without that record (never sent, or the record can't be read) the
  // fields take Last_IP_Address, when it splits. The configuration's own
  // address is read at the same time, for address_note.
  std::optional<OctetTexts> prefill();

  // The configuration's own address, and, when an update from these fields
  // with this option hands the device its configuration at another
  // address, that the device moves to it. Nothing while the fields make no
  // usable address.
  AddressNote address_note(const OctetTexts& fields, int option) const;

  // Probes the address the four fields make.
  [[nodiscard]] ProbeOutcome Send_Ping(const OctetTexts& fields);

  // What Execute would change on the device, for the dialog to show.
  std::string preview() const;

  // The Execute button: the hand-over (probe, descriptor, updater); once the
  // device answered the choice is remembered, with the address in plain
  // decimal, and those fields are returned for the dialog to show. A failure
  // shows one message. Pressed again while a hand-over runs, it does nothing.
  // Every press goes into the configuration's update log and an image the
  // updater took is kept; what can't be recorded is said, after the update.
  std::optional<OctetTexts> Btn_UpdateClick(const OctetTexts& fields, int option, bool read_back);

  // Cancel, Escape or the close box: a running probe ends at its next look
  // at the ports, and nothing is launched or shown after it; the update log
  // alone records the stop.
  void Stop() { stop_requested_ = true; }
  bool running() const { return running_; }

  // The choice of the last update that reached a device, offered again at
  // the next showing; kept for this run only, as no file stores it.
  int Update_Option_Index = 0;
  bool Update_Read_Back = true;

private:
  const ProgramFolders& folders_;
  Settings& settings_;
  const OpenConfiguration& conf_;
  const Catalogue& catalogue_;
  UserMessages& messages_;
  UpdatePorts ports_;
  RecordPorts record_;
  std::optional<std::array<std::uint8_t, 4>> own_address_; // as the last prefill read it
  bool running_ = false;
  bool stop_requested_ = false;
};

} // namespace lw
