#include "params/par_gen.h"

#include "core/identity.h"
#include "core/limits.h"
#include "core/text.h"
#include "platform/files.h"
#include "platform/xml.h"

#include <array>
#include <stdexcept>

namespace lw {

namespace {
using S = Par_Gen_Set;
constexpr std::string_view kDirection[] = {"IN", "OUT"};
constexpr std::string_view kSerial[] = {"RS232", "RS485"};
constexpr std::string_view kBaudRates[] = {"1200",  "2400",  "4800",  "9600",
                                           "19200", "38400", "57600", "115200"};
constexpr std::string_view kParity[] = {"NONE", "ODD", "EVEN"};
constexpr std::string_view kStopBits[] = {"1 Stop Bits", "2 Stop Bits"};

constexpr ParGenField choice(const char* e, std::string_view def, std::span<const std::string_view> items,
                             int S::*m, ParGenView view, FieldCheck check = FieldCheck::None,
                             int message = 0) {
  return {e, FieldKind::Choice, def, items, check, 0, 0, message, m, nullptr, nullptr, view};
}
constexpr ParGenField number(const char* e, std::string_view def, FieldCheck check, int min, int max,
                             int message, std::string S::*m, ParGenView view) {
  return {e, FieldKind::Number, def, {}, check, min, max, message, nullptr, m, nullptr, view};
}
constexpr ParGenField flag(const char* e, bool S::*m, ParGenView view) {
  return {e, FieldKind::Flag, "0", {}, FieldCheck::None, 0, 0, 0, nullptr, nullptr, m, view};
}
constexpr auto R = FieldCheck::Range;
constexpr auto G = FieldCheck::GatewayRange;
constexpr auto kDmx = ParGenGroup::Dmx;
constexpr auto kModbus = ParGenGroup::ModbusSlave;
constexpr auto kEthernet = ParGenGroup::Ethernet;

// In file order, which is also the order of the editor's test; the view puts
// the gateway check box before the gateway octets.
const std::array<ParGenField, 22> kFields = {{
    choice("DMX_DMX", "1", kDirection, &S::DMX_DMX, {kDmx, 0, "CB_DMX_DMX", 1008, 1007, "L_DMX_DMX"}),
    number("DMX_Num_Channels", "512", R, 24, 512, 1011, &S::DMX_Num_Channels,
           {kDmx, 1, "E_DMX_ChannelNum", 1010, 1009, "L_DMX_ChannelNum"}),
    flag("DMX_END_LINE_RES", &S::DMX_END_LINE_RES, {kDmx, 2, "CB_DMX_EndLineRes", 1144, 1143}),
    choice("MODBUS_SLAVE_SERIAL", "0", kSerial, &S::MODBUS_SLAVE_SERIAL,
           {kModbus, 0, "CB_ModbusSlave_Serial", 1081, 1080, "L_ModbusSlave_Serial"}),
    choice("MODBUS_SLAVE_BAUDRATE", "7", kBaudRates, &S::MODBUS_SLAVE_BAUDRATE,
           {kModbus, 1, "CB_ModbusSlave_Baudrate", 1083, 1082, "L_ModbusSlave_Baudrate"}),
    choice("MODBUS_SLAVE_PARITY", "0", kParity, &S::MODBUS_SLAVE_PARITY,
           {kModbus, 2, "CB_ModbusSlave_Parity", 1085, 1084, "L_ModbusSlave_Parity"}),
    choice("MODBUS_SLAVE_STOPBITS", "0", kStopBits, &S::MODBUS_SLAVE_STOPBITS,
           {kModbus, 3, "CB_ModbusSlave_StopBits", 1087, 1086, "L_ModbusSlave_StopBits"},
           FieldCheck::StopBitsParity, 1092),
    number("MODBUS_SLAVE_IDDEVICE", "10", R, 1, 247, 1093, &S::MODBUS_SLAVE_IDDEVICE,
           {kModbus, 4, "E_ModbusSlave_IDDevice", 1089, 1088, "L_ModbusSlave_IDDevice"}),
    flag("MODBUS_SLAVE_DMX_MAP", &S::MODBUS_SLAVE_DMX_MAP,
         {kModbus, 5, "CB_Modbus_Slave_MapDMX", 1142, 1141}),
    number("Ethernet_IP1", "192", R, 0, 255, 1121, &S::Ethernet_IP1,
           {kEthernet, 0, "E_Ethernet_IP1", 1096, 1095, "L_Ethernet_IP"}),
    number("Ethernet_IP2", "168", R, 0, 255, 1122, &S::Ethernet_IP2, {kEthernet, 0, "E_Ethernet_IP2", 1097}),
    number("Ethernet_IP3", "0", R, 0, 255, 1123, &S::Ethernet_IP3, {kEthernet, 0, "E_Ethernet_IP3", 1098}),
    number("Ethernet_IP4", "5", R, 0, 255, 1124, &S::Ethernet_IP4, {kEthernet, 0, "E_Ethernet_IP4", 1099}),
    number("Ethernet_SM1", "255", R, 0, 255, 1125, &S::Ethernet_SM1,
           {kEthernet, 1, "E_Ethernet_SM1", 1101, 1100, "L_Ethernet_SM"}),
    number("Ethernet_SM2", "255", R, 0, 255, 1126, &S::Ethernet_SM2, {kEthernet, 1, "E_Ethernet_SM2", 1102}),
    number("Ethernet_SM3", "255", R, 0, 255, 1127, &S::Ethernet_SM3, {kEthernet, 1, "E_Ethernet_SM3", 1103}),
    number("Ethernet_SM4", "0", R, 0, 255, 1128, &S::Ethernet_SM4, {kEthernet, 1, "E_Ethernet_SM4", 1104}),
    number("Ethernet_GAT1", "192", G, 0, 255, 1129, &S::Ethernet_GAT1,
           {kEthernet, 2, "E_Ethernet_GAT1", 1107}),
    number("Ethernet_GAT2", "168", G, 0, 255, 1130, &S::Ethernet_GAT2,
           {kEthernet, 2, "E_Ethernet_GAT2", 1108}),
    number("Ethernet_GAT3", "0", G, 0, 255, 1131, &S::Ethernet_GAT3, {kEthernet, 2, "E_Ethernet_GAT3", 1109}),
    number("Ethernet_GAT4", "1", G, 0, 255, 1132, &S::Ethernet_GAT4, {kEthernet, 2, "E_Ethernet_GAT4", 1110}),
    flag("Ethernet_EN_GAT", &S::Ethernet_EN_GAT, {kEthernet, 2, "CB_Ethernet_En_GAT", 1106, 1105}),
}};

int default_index(const ParGenField& f) { return *parse_integer(f.default_text); }

void set_from_text(Par_Gen_Set& set, const ParGenField& f, const std::string& text) {
  switch (f.kind) {
  case FieldKind::Choice: {
    auto v = parse_integer(text);
    if (!v)
      set.*f.choice = default_index(f);
    else
      set.*f.choice = (*v >= 0 && static_cast<std::size_t>(*v) < f.items.size()) ? *v : -1;
    break;
  }
  case FieldKind::Number: set.*f.number = text; break;
  case FieldKind::Flag: set.*f.flag = text == "1"; break;
  }
}

bool in_range(const std::string& text, int min, int max) {
  int v = parse_integer(text).value_or(-1);
  return v >= min && v <= max;
}
} // namespace

Par_Gen_Set::Par_Gen_Set() {
  for (const auto& f : kFields)
    set_from_text(*this, f, std::string(f.default_text));
}

std::span<const ParGenField> par_gen_fields() { return kFields; }

const ParGenField& par_gen_field(std::string_view element) {
  for (const auto& f : kFields)
    if (element == f.element) return f;
  throw std::out_of_range("no parameter " + std::string(element));
}

std::string field_text(const Par_Gen_Set& set, const ParGenField& f) {
  switch (f.kind) {
  case FieldKind::Choice: return std::to_string(set.*f.choice);
  case FieldKind::Number: return set.*f.number;
  case FieldKind::Flag: return set.*f.flag ? "1" : "0";
  }
  return {};
}

Par_Gen_Set Load_Par_Gen(const std::string& path) {
  Par_Gen_Set set;
  if (!fs::exists(path)) return set;
  pugi::xml_document doc = xml::parse_file(path, kMaxParGenBytes);
  pugi::xml_node root = xml::root(doc);
  for (const auto& f : kFields) {
    if (auto text = xml::single_text(xml::child(root, f.element))) set_from_text(set, f, *text);
  }
  return set;
}

std::string par_gen_xml(const Par_Gen_Set& set) {
  pugi::xml_document doc;
  pugi::xml_node root = doc.append_child("Par_Gen");
  doc.append_child(pugi::node_comment).set_value(std::string(kProjectFileComment).c_str());
  for (const auto& f : kFields)
    xml::append_text_element(root, f.element, field_text(set, f));
  return xml::to_bytes(doc, kMaxParGenBytes, std::string(kParGenFile));
}

void Save_Par_Gen(const std::string& path, const Par_Gen_Set& set) {
  fs::atomic_save(path, par_gen_xml(set));
}

std::optional<ParGenFailure> Controllo_Dati(const Par_Gen_Set& set) {
  for (const auto& f : kFields) {
    if (f.kind == FieldKind::Choice) {
      int index = set.*f.choice;
      if (index < 0 || static_cast<std::size_t>(index) >= f.items.size())
        return ParGenFailure{&f, text_id::kNone, true};
    }
    switch (f.check) {
    case FieldCheck::None: break;
    case FieldCheck::Range:
      if (!in_range(set.*f.number, f.min, f.max)) return ParGenFailure{&f, f.message};
      break;
    case FieldCheck::GatewayRange:
      if (set.Ethernet_EN_GAT && !in_range(set.*f.number, f.min, f.max)) return ParGenFailure{&f, f.message};
      break;
    case FieldCheck::StopBitsParity:
      if (set.MODBUS_SLAVE_STOPBITS > 0 && set.MODBUS_SLAVE_PARITY > 0) return ParGenFailure{&f, f.message};
      break;
    }
  }
  return std::nullopt;
}

std::string failure_text(const ParGenFailure& failure, const TextTable& texts) {
  if (!failure.blank_choice) return texts.Get(failure.message);
  constexpr int kGroupCaptions[] = {text_id::kGroupDmx, text_id::kGroupModbusSlave, text_id::kGroupEthernet};
  const ParGenView& view = failure.field->view;
  // Only catalogue texts and punctuation, so it reads in the chosen language.
  return texts.Get(kGroupCaptions[static_cast<int>(view.group)]) + " / " + texts.Get(view.label) + ": " +
         texts.Get(view.hint);
}

} // namespace lw
