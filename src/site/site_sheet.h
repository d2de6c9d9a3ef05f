#pragma once
#include "core/text_table.h"
#include "params/par_gen.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lw {

// A site sheet: one unit per row, each the template's communication
// parameters with the row's own. Columns by header, letters compared without
// case: these, and any other parameter by its element name.
inline constexpr std::string_view kSheetName = "Name";
inline constexpr std::string_view kSheetIp = "IP";             // dotted: Ethernet_IP1..4
inline constexpr std::string_view kSheetMask = "Mask";         // dotted: Ethernet_SM1..4
inline constexpr std::string_view kSheetGateway = "Gateway";   // dotted, or empty: no gateway
inline constexpr std::string_view kSheetModbusId = "ModbusID"; // MODBUS_SLAVE_IDDEVICE
inline constexpr std::string_view kSheetChannels = "Channels"; // DMX_Num_Channels

struct SheetUnit {
  int row; // as the spreadsheet shows it: the header is row 1
  std::string name;
  Par_Gen_Set set;
  bool operator==(const SheetUnit&) const = default;
};

// Why a row (row 1 for the header) can't make its unit.
struct SheetProblem {
  int row;
  std::string name; // the row's name, empty for the header
  std::string reason;
  bool operator==(const SheetProblem&) const = default;
};

struct SiteSheet {
  std::vector<SheetUnit> units;       // the rows that passed, in sheet order
  std::vector<SheetProblem> problems; // every row that did not, in sheet order
};

// The sheet's units over the template's set. A column left out keeps the
// template's value; an empty Gateway disables the gateway and keeps the
// template's octets, as the editor does. A choice is its item's text or its
// index, a flag 0 or 1, a number the text as typed. Each unit must pass the
// Set Communication editor's test, and the problem then says what the editor
// says. The header is refused for a column it does not know, a parameter
// given by two columns, or no Name column; a row for a value beyond the
// header's columns; a name given twice on each row after the first; a name
// holding a character XML can't hold; parameters the editor's test takes
// whose ParGen.xml would still be larger than its reader takes ("0…01" is
// 1). More than kMaxSiteUnits rows, or a sheet without units, is a problem
// of its header. Throws FileError, prefixed with sheet_name, when the text is
// no sheet (csv::Reader: a quote left open, UTF-16, too many fields).
SiteSheet read_site_sheet(std::string_view text, const Par_Gen_Set& template_set, const TextTable& texts,
                          const std::string& sheet_name);

// The sheet of these units, which read_site_sheet reads back to the same
// sets but for the octets of a disabled gateway, which take the template's:
// every column, choices by their item's text.
std::string site_sheet_csv(std::span<const SheetUnit> units);

} // namespace lw
