#include "site/site_sheet.h"

#include "core/limits.h"

#include "core/text.h"
#include "formats/csv.h"
#include "formats/errors.h"
#include "formats/utf8.h"

#include <array>
#include <map>
#include <optional>

namespace lw {

namespace {
enum class ColumnKind { Name, Address, Gateway, Field, Blank };

// A column by the parameters it gives: an address gives four octets, the
// gateway its four octets and whether it is enabled.
struct ColumnForm {
  std::string_view header;
  ColumnKind kind;
  std::array<const char*, 4> elements;
};

constexpr const char* kGatewayFlag = "Ethernet_EN_GAT";

const std::array<ColumnForm, 5> kNamedColumns = {{
    {kSheetIp, ColumnKind::Address, {"Ethernet_IP1", "Ethernet_IP2", "Ethernet_IP3", "Ethernet_IP4"}},
    {kSheetMask, ColumnKind::Address, {"Ethernet_SM1", "Ethernet_SM2", "Ethernet_SM3", "Ethernet_SM4"}},
    {kSheetGateway,
     ColumnKind::Gateway,
     {"Ethernet_GAT1", "Ethernet_GAT2", "Ethernet_GAT3", "Ethernet_GAT4"}},
    {kSheetModbusId, ColumnKind::Field, {"MODBUS_SLAVE_IDDEVICE"}},
    {kSheetChannels, ColumnKind::Field, {"DMX_Num_Channels"}},
}};

// The parameters a column gives, in the table's order of its form.
std::vector<const ParGenField*> given_fields(const ColumnForm& form) {
  std::vector<const ParGenField*> fields;
  for (const char* element : form.elements)
    if (element) fields.push_back(&par_gen_field(element));
  if (form.kind == ColumnKind::Gateway) fields.push_back(&par_gen_field(kGatewayFlag));
  return fields;
}

bool covered_by_named_column(const ParGenField& field) {
  for (const ColumnForm& form : kNamedColumns)
    for (const ParGenField* given : given_fields(form))
      if (given == &field) return true;
  return false;
}

struct Column {
  ColumnKind kind;
  std::string header; // as the sheet spells it
  std::vector<const ParGenField*> fields;
};

bool blank_column(const csv::Sheet& sheet, std::size_t column) {
  for (std::size_t r = 0; r < sheet.size(); ++r)
    if (!trim_controls(sheet.field(r, column)).empty()) return false;
  return true;
}

std::optional<Column> known_column(std::string_view header) {
  if (utf8::same_ignoring_ascii_case(header, kSheetName))
    return Column{ColumnKind::Name, std::string(header), {}};
  for (const ColumnForm& form : kNamedColumns)
    if (utf8::same_ignoring_ascii_case(header, form.header))
      return Column{form.kind, std::string(header), given_fields(form)};
  for (const ParGenField& field : par_gen_fields())
    if (utf8::same_ignoring_ascii_case(header, field.element))
      return Column{ColumnKind::Field, std::string(header), {&field}};
  return std::nullopt;
}

// The header's columns, each parameter owned by one column at most; the
// header's problems go to `problems`.
std::vector<Column> read_header(const csv::Sheet& sheet, std::vector<SheetProblem>& problems) {
  std::vector<Column> columns;
  std::map<const ParGenField*, std::string> owner;
  bool named = false;
  for (std::size_t c = 0; c < sheet.header.size(); ++c) {
    std::string header(trim_controls(sheet.header[c]));
    // A spreadsheet saves the empty columns past the last one used.
    if (header.empty() && blank_column(sheet, c)) {
      columns.push_back({ColumnKind::Blank, header, {}});
      continue;
    }
    auto column = known_column(header);
    if (!column) {
      problems.push_back({1, {}, "unknown column '" + header + "'"});
      columns.push_back({ColumnKind::Blank, header, {}});
      continue;
    }
    if (column->kind == ColumnKind::Name) {
      if (named) problems.push_back({1, {}, "column " + header + " is given twice"});
      named = true;
    }
    for (const ParGenField* field : column->fields) {
      auto [it, fresh] = owner.emplace(field, header);
      if (!fresh)
        problems.push_back(
            {1,
             {},
             "columns " + it->second + " and " + header + " both give " + std::string(field->element)});
    }
    columns.push_back(std::move(*column));
  }
  if (!named) problems.push_back({1, {}, "no " + std::string(kSheetName) + " column"});
  return columns;
}

std::optional<std::array<std::string, 4>> dotted_octets(std::string_view text) {
  std::array<std::string, 4> octets;
  std::size_t i = 0;
  for (;;) {
    std::size_t dot = text.find('.');
    octets[i] = std::string(text.substr(0, dot));
    if (dot == std::string_view::npos) break;
    if (++i == octets.size()) return std::nullopt;
    text.remove_prefix(dot + 1);
  }
  if (i + 1 != octets.size()) return std::nullopt;
  return octets;
}

// The item's text first: a baud rate's items are numbers too, and none of
// them is an index.
std::optional<int> choice_index(const ParGenField& field, std::string_view text) {
  for (std::size_t i = 0; i < field.items.size(); ++i)
    if (utf8::same_ignoring_ascii_case(field.items[i], text)) return static_cast<int>(i);
  return parse_integer(text);
}

std::string items_text(const ParGenField& field) {
  std::string out;
  for (std::string_view item : field.items)
    out += (out.empty() ? "" : ", ") + std::string(item);
  return out;
}

// Lays one field's text over the set; the reason when the text can't be
// one, which the editor's test can't tell since the editor never holds it.
std::optional<std::string> give(Par_Gen_Set& set, const ParGenField& field, const std::string& text) {
  switch (field.kind) {
  case FieldKind::Number: set.*field.number = text; break;
  case FieldKind::Flag:
    if (text != "0" && text != "1") return std::string(field.element) + " '" + text + "' must be 0 or 1";
    set.*field.flag = text == "1";
    break;
  case FieldKind::Choice: {
    auto index = choice_index(field, text);
    if (!index) return std::string(field.element) + " '" + text + "' is none of " + items_text(field);
    // An index outside the items is no choice, which the editor's test names.
    set.*field.choice = *index >= 0 && static_cast<std::size_t>(*index) < field.items.size() ? *index : -1;
    break;
  }
  }
  return std::nullopt;
}

std::optional<std::string> give_column(Par_Gen_Set& set, const Column& column, const std::string& text) {
  switch (column.kind) {
  case ColumnKind::Name:
  case ColumnKind::Blank: return std::nullopt;
  case ColumnKind::Field: return give(set, *column.fields[0], text);
  case ColumnKind::Gateway:
    set.Ethernet_EN_GAT = !text.empty();
    if (text.empty()) return std::nullopt;
    [[fallthrough]];
  case ColumnKind::Address: {
    auto octets = dotted_octets(text);
    if (!octets) return column.header + " '" + text + "' is not four numbers separated by dots";
    for (std::size_t i = 0; i < octets->size(); ++i)
      set.*column.fields[i]->number = (*octets)[i];
    return std::nullopt;
  }
  }
  return std::nullopt;
}

// A number the editor's test takes may still be long ("0001" is 1): the
// file the unit's parameters make must be one its reader takes.
std::optional<std::string> par_gen_file_refusal(const Par_Gen_Set& set) {
  try {
    (void)par_gen_xml(set);
  } catch (const FileError& e) {
    return e.what();
  }
  return std::nullopt;
}

std::string dotted(const Par_Gen_Set& set, const ColumnForm& form) {
  std::string out;
  for (const char* element : form.elements)
    out += (out.empty() ? "" : ".") + field_text(set, par_gen_field(element));
  return out;
}

std::string sheet_text(const Par_Gen_Set& set, const ParGenField& field) {
  if (field.kind != FieldKind::Choice) return field_text(set, field);
  int index = set.*field.choice;
  bool listed = index >= 0 && static_cast<std::size_t>(index) < field.items.size();
  return listed ? std::string(field.items[static_cast<std::size_t>(index)]) : field_text(set, field);
}
} // namespace

SiteSheet read_site_sheet(std::string_view text, const Par_Gen_Set& template_set, const TextTable& texts,
                          const std::string& sheet_name) {
  SiteSheet out;
  // A site is tens of converters, at most some thousands; a sheet far beyond
  // that is a wrong file, refused before a plan of it fills the memory: the
  // rows past the limit are counted, never kept.
  csv::Reader reader(text, sheet_name);
  csv::Sheet sheet;
  sheet.header = reader.header();
  sheet.separator = reader.separator();
  std::size_t rows = 0;
  for (csv::Record record; reader.next(record); ++rows)
    if (rows < kMaxSiteUnits) sheet.add(record, reader.row());
  if (rows > kMaxSiteUnits) {
    out.problems.push_back({1,
                            {},
                            "the sheet has " + std::to_string(rows) + " rows; a site sheet holds at most " +
                                std::to_string(kMaxSiteUnits) + " units"});
    return out;
  }
  std::vector<Column> columns = read_header(sheet, out.problems);
  auto name_column = sheet.column(kSheetName);
  // Rows without names can't be told apart: the header's problem says it all.
  if (!name_column) return out;
  std::map<std::string, int> first_row; // of each name
  for (std::size_t r = 0; r < sheet.size(); ++r) {
    int row = sheet.row_number(r);
    std::string name(sheet.field(r, *name_column));
    auto refuse = [&](const std::string& reason) { out.problems.push_back({row, name, reason}); };
    std::size_t problems_before = out.problems.size();
    if (!name.empty()) {
      auto [it, fresh] = first_row.emplace(name, row);
      if (!fresh) refuse("the name is given twice (first in row " + std::to_string(it->second) + ")");
    }
    // The name goes into the settings and the commissioning sheet, both XML.
    if (auto c = utf8::first_non_xml_char(name))
      refuse("the name holds " + utf8::code_point_text(*c) + ", which no XML file can hold");
    // A value without a column would be dropped unseen.
    for (std::size_t c = columns.size(); c < sheet.fields(r); ++c)
      if (!trim_controls(sheet.field(r, c)).empty()) {
        refuse("a value beyond the header's columns");
        break;
      }
    Par_Gen_Set set = template_set;
    bool readable = true;
    for (std::size_t c = 0; c < columns.size(); ++c) {
      // A column that gives no parameter costs no copy of its text.
      if (columns[c].fields.empty()) continue;
      if (auto reason = give_column(set, columns[c], std::string(trim_controls(sheet.field(r, c))))) {
        refuse(*reason);
        readable = false;
      }
    }
    if (readable) {
      if (auto failure = Controllo_Dati(set))
        refuse(failure_text(*failure, texts));
      else if (auto why = par_gen_file_refusal(set))
        refuse(*why);
    }
    if (out.problems.size() == problems_before) out.units.push_back({row, name, std::move(set)});
  }
  if (out.units.empty() && out.problems.empty()) out.problems.push_back({1, {}, "the sheet has no units"});
  return out;
}

std::string site_sheet_csv(std::span<const SheetUnit> units) {
  std::vector<std::string> header{std::string(kSheetName)};
  for (const ColumnForm& form : kNamedColumns)
    header.emplace_back(form.header);
  std::vector<const ParGenField*> others;
  for (const ParGenField& field : par_gen_fields())
    if (!covered_by_named_column(field)) {
      others.push_back(&field);
      header.emplace_back(field.element);
    }
  std::string out = csv::format_row(header);
  for (const SheetUnit& unit : units) {
    std::vector<std::string> row{unit.name};
    for (const ColumnForm& form : kNamedColumns) {
      if (form.kind == ColumnKind::Field)
        row.push_back(field_text(unit.set, par_gen_field(form.elements[0])));
      else if (form.kind == ColumnKind::Gateway && !unit.set.Ethernet_EN_GAT)
        row.emplace_back();
      else
        row.push_back(dotted(unit.set, form));
    }
    for (const ParGenField* field : others)
      row.push_back(sheet_text(unit.set, *field));
    out += csv::format_row(row);
  }
  return out;
}

} // namespace lw
