#include "params/dmx_csv.h"

#include "core/text.h"
#include "params/dmx_levels.h"
#include "platform/csv.h"
#include "platform/errors.h"
#include "platform/utf8.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace lw {

namespace {
std::optional<unsigned> control_character(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return static_cast<unsigned char>(c);
  return std::nullopt;
}

bool blank_record(const std::vector<std::string>& record) {
  return std::ranges::all_of(record, [](const std::string& f) { return trim_controls(f).empty(); });
}

class SheetReader {
public:
  SheetReader(const csv::Sheet& sheet, const std::string& name) : sheet_(sheet), name_(name) {}

  std::size_t required_column(std::string_view header) const {
    auto column = optional_column(header);
    if (!column) fail(1, "no " + std::string(header) + " column");
    return *column;
  }

  // Two columns of one name would leave it to chance which one is meant.
  std::optional<std::size_t> optional_column(std::string_view header) const {
    auto column = sheet_.column(header);
    if (!column) return std::nullopt;
    for (std::size_t i = *column + 1; i < sheet_.header.size(); ++i)
      if (sheet_.column_named(i, header)) fail(1, "two " + std::string(header) + " columns");
    return column;
  }

  // The channel's index in a table of `count` rows.
  std::size_t channel(std::size_t record, std::size_t column, std::size_t count) const {
    const std::string& text = sheet_.field(record, column);
    auto n = parse_integer(text);
    int row = sheet_.row_number(record);
    if (!n || *n < 1)
      fail(row, "Channel '" + utf8::printable(text) + "' is not a channel number from 1 to " +
                    std::to_string(count));
    if (static_cast<std::size_t>(*n) > count)
      fail(row, "Channel " + std::to_string(*n) + " is beyond the configuration's " + std::to_string(count) +
                    " channels");
    return static_cast<std::size_t>(*n - 1);
  }

  int value(std::size_t record, std::size_t column) const {
    std::string text = sheet_.field(record, column);
    LevelReading reading = read_level(text);
    int row = sheet_.row_number(record);
    switch (reading.fault) {
    case LevelFault::None: break;
    case LevelFault::NotALevel:
      if (text.ends_with('%'))
        fail(row, "Value '" + utf8::printable(text) + "' is not a whole percentage from 0% to 100%");
      fail(row, "Value '" + utf8::printable(text) + "' is neither an integer from 0 to 255 nor a percentage");
    case LevelFault::PercentOutOfRange: fail(row, "Value " + text + " must be between 0% and 100%");
    case LevelFault::ValueOutOfRange: fail(row, "Value " + text + " must be between 0 and 255");
    }
    return reading.level;
  }

  // The mnemonic a record gives, or nullopt when the record ends before the
  // column (a short row leaves the stored mnemonic as it is).
  std::optional<std::string> mnemonic(std::size_t record, std::size_t column) const {
    if (column >= sheet_.records[record].size()) return std::nullopt;
    const std::string& text = sheet_.field(record, column);
    // Control characters have no place in a one-line label and can't be
    // stored in XML 1.0.
    if (auto c = control_character(text)) {
      char code[8];
      std::snprintf(code, sizeof code, "U+%04X", *c);
      fail(sheet_.row_number(record), "Mnemonic holds the control character " + std::string(code));
    }
    return text;
  }

  [[noreturn]] void fail(int row, const std::string& why) const {
    throw FileError(name_ + ": row " + std::to_string(row) + ": " + why);
  }

private:
  const csv::Sheet& sheet_;
  const std::string& name_;
};
} // namespace

std::string dmx_csv(const DMX_Def_Table& table, bool one_channel_per_register) {
  std::string out = csv::format_row({"Channel", "Value", "Mnemonic", std::string(kDmxCsvRegisterHeader)});
  for (std::size_t i = 0; i < table.size(); ++i)
    out += csv::format_row({std::to_string(i + 1), table[i].Default_Value, table[i].Mnemonic,
                            one_channel_per_register ? std::to_string(i) : std::string()});
  return out;
}

DMX_Def_Table import_dmx_csv(std::string_view text, const DMX_Def_Table& table, const std::string& name) {
  csv::Sheet sheet = csv::parse(text, name);
  if (sheet.header.empty() && sheet.records.empty()) throw FileError(name + ": the sheet is empty");
  SheetReader reader(sheet, name);
  std::size_t channel_column = reader.required_column("Channel");
  std::size_t value_column = reader.required_column("Value");
  auto mnemonic_column = reader.optional_column("Mnemonic");
  DMX_Def_Table out = table;
  std::vector<int> given_in(table.size(), 0); // the row that set each channel
  for (std::size_t r = 0; r < sheet.records.size(); ++r) {
    if (blank_record(sheet.records[r])) continue;
    std::size_t i = reader.channel(r, channel_column, table.size());
    int row = sheet.row_number(r);
    if (given_in[i] != 0)
      reader.fail(row, "Channel " + std::to_string(i + 1) + " is given twice (first in row " +
                           std::to_string(given_in[i]) + ")");
    given_in[i] = row;
    int level = reader.value(r, value_column);
    if (parse_integer(table[i].Default_Value) != level) out[i].Default_Value = std::to_string(level);
    if (mnemonic_column)
      if (auto mnemonic = reader.mnemonic(r, *mnemonic_column)) out[i].Mnemonic = std::move(*mnemonic);
  }
  return out;
}

int changed_channels(const DMX_Def_Table& before, const DMX_Def_Table& after) {
  int changed = 0;
  for (std::size_t i = 0; i < std::min(before.size(), after.size()); ++i)
    if (before[i] != after[i]) ++changed;
  return changed;
}

} // namespace lw
