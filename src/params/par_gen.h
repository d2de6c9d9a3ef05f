#pragma once
#include "core/text_ids.h"
#include "core/text_table.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace lw {

// The 22 communication parameters of a configuration, named as their
// elements in ParGen.xml. A choice is an item index (-1: none), a number
// text is kept exactly as typed, a flag is a boolean.
struct Par_Gen_Set {
  Par_Gen_Set(); // the default set

  int DMX_DMX;
  std::string DMX_Num_Channels;
  bool DMX_END_LINE_RES;
  int MODBUS_SLAVE_SERIAL;
  int MODBUS_SLAVE_BAUDRATE;
  int MODBUS_SLAVE_PARITY;
  int MODBUS_SLAVE_STOPBITS;
  std::string MODBUS_SLAVE_IDDEVICE;
  bool MODBUS_SLAVE_DMX_MAP;
  std::string Ethernet_IP1, Ethernet_IP2, Ethernet_IP3, Ethernet_IP4;
  std::string Ethernet_SM1, Ethernet_SM2, Ethernet_SM3, Ethernet_SM4;
  std::string Ethernet_GAT1, Ethernet_GAT2, Ethernet_GAT3, Ethernet_GAT4;
  bool Ethernet_EN_GAT;

  bool operator==(const Par_Gen_Set&) const = default;
};

enum class FieldKind { Choice, Number, Flag };

// What the editor tests on OK, in table order.
enum class FieldCheck {
  None,
  Range,          // the number text reads as an integer in [min, max]
  GatewayRange,   // the same, only while the gateway is enabled
  StopBitsParity, // two stop bits only with no parity
};

// The editor's three groups, top to bottom.
enum class ParGenGroup { Dmx, ModbusSlave, Ethernet };

// Where and how the editor shows a field: on row `row` of its group, in a
// control named `control` with the hint of index `hint`. A row opens with its
// caption, catalogue index `label`, given on the field that brings it: a
// flag's own check box, or else a label named `label_name` before the field.
// The other fields of the row follow in table order; four numbers on one row
// are the octets of an address.
struct ParGenView {
  ParGenGroup group;
  int row;
  const char* control;
  int hint;
  int label = text_id::kNone;
  const char* label_name = nullptr;
};

// One row of the parameter table: it drives reading, writing, the editor's
// controls, texts and bindings, and its test before saving.
struct ParGenField {
  const char* element;
  FieldKind kind;
  std::string_view default_text;           // as written in the file
  std::span<const std::string_view> items; // choices; fixed, never translated
  FieldCheck check;
  int min, max;
  int message; // catalogue index shown when the check fails
  int Par_Gen_Set::*choice;
  std::string Par_Gen_Set::*number;
  bool Par_Gen_Set::*flag;
  ParGenView view;
};

std::span<const ParGenField> par_gen_fields();
const ParGenField& par_gen_field(std::string_view element);

// The value of a field as it is written in the file.
std::string field_text(const Par_Gen_Set& set, const ParGenField& field);

// Fails (FileError) only when the file exists but can't be read or parsed.
Par_Gen_Set Load_Par_Gen(const std::string& path);
std::string par_gen_xml(const Par_Gen_Set& set);
void Save_Par_Gen(const std::string& path, const Par_Gen_Set& set);

// The first test a set fails: a check with its message index, or a choice
// left blank (a stored index outside the items), which must never reach the
// image as a number the device doesn't know.
struct ParGenFailure {
  const ParGenField* field;
  int message;               // catalogue index; kNone for a blank choice
  bool blank_choice = false;
  bool operator==(const ParGenFailure&) const = default;
};

// The editor's test before saving, in table order; nullopt when the set may
// be saved.
std::optional<ParGenFailure> Controllo_Dati(const Par_Gen_Set& set);

// The failure as the editor shows it; a blank choice is named by its group
// and label and told by its hint, all from the catalogue.
std::string failure_text(const ParGenFailure& failure, const TextTable& texts);

} // namespace lw
