#include "params/dmx_csv.h"

#include "core/text.h"
#include "formats/csv.h"
#include "formats/errors.h"
#include "formats/utf8.h"
#include "params/dmx_levels.h"

#include <algorithm>
#include <optional>

namespace lw {

namespace {
// The sheet read one record at a time, each taken before the next is read:
// its header is looked at before any record.
class SheetReader {
public:
  SheetReader(std::string_view text, const std::string& name) : reader_(text, name), name_(name) {}

  bool empty() const { return reader_.header().empty(); }
  bool next() { return reader_.next(record_); }
  int row() const { return reader_.row(); }

  std::size_t required_column(std::string_view header) const {
    auto column = optional_column(header);
    if (!column) fail(1, "no " + std::string(header) + " column");
    return *column;
  }

  // Two columns of one name would leave it to chance which one is meant.
  std::optional<std::size_t> optional_column(std::string_view header) const {
    const csv::Record& names = reader_.header();
    auto column = csv::column(names, header);
    if (!column) return std::nullopt;
    for (std::size_t i = *column + 1; i < names.size(); ++i)
      if (csv::column_named(names, i, header)) fail(1, "two " + std::string(header) + " columns");
    return column;
  }

  // The channel's index in a table of `count` rows.
  std::size_t channel(std::size_t column, std::size_t count) const {
    const std::string& text = field(column);
    auto n = parse_integer(text);
    if (!n || *n < 1)
      fail(row(), "Channel '" + utf8::printable(text) + "' is not a channel number from 1 to " +
                      std::to_string(count));
    if (static_cast<std::size_t>(*n) > count)
      fail(row(), "Channel " + std::to_string(*n) + " is beyond the configuration's " +
                      std::to_string(count) + " channels");
    return static_cast<std::size_t>(*n - 1);
  }

  int value(std::size_t column) const {
    const std::string& text = field(column);
    LevelReading reading = read_level(text);
    switch (reading.fault) {
    case LevelFault::None: break;
    case LevelFault::NotALevel:
      if (text.ends_with('%'))
        fail(row(), "Value '" + utf8::printable(text) + "' is not a whole percentage from 0% to 100%");
      fail(row(),
           "Value '" + utf8::printable(text) + "' is neither an integer from 0 to 255 nor a percentage");
    case LevelFault::PercentOutOfRange: fail(row(), "Value " + text + " must be between 0% and 100%");
    case LevelFault::ValueOutOfRange: fail(row(), "Value " + text + " must be between 0 and 255");
    }
    return reading.level;
  }

  // The mnemonic the record gives, or nullopt when the record ends before
  // the column (a short row leaves the stored mnemonic as it is). One the
  // editor could not take is refused here as there.
  std::optional<std::string> mnemonic(std::size_t column) const {
    if (column >= record_.size()) return std::nullopt;
    const std::string& text = record_[column];
    if (auto check = check_mnemonic(text); check.fault != MnemonicFault::None)
      fail(row(), mnemonic_fault_text(check));
    return text;
  }

  [[noreturn]] void fail(int row, const std::string& why) const {
    throw FileError(name_ + ": row " + std::to_string(row) + ": " + why);
  }

private:
  const std::string& field(std::size_t column) const {
    static const std::string kEmpty;
    return column < record_.size() ? record_[column] : kEmpty;
  }

  csv::Reader reader_;
  const std::string& name_;
  csv::Record record_;
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
  SheetReader reader(text, name);
  if (reader.empty()) throw FileError(name + ": the sheet is empty");
  std::size_t channel_column = reader.required_column("Channel");
  std::size_t value_column = reader.required_column("Value");
  auto mnemonic_column = reader.optional_column("Mnemonic");
  DMX_Def_Table out = table;
  // The row that set each channel: a sheet has a record for each channel at
  // most, and any more is refused at the first one given twice.
  std::vector<int> given_in(table.size(), 0);
  while (reader.next()) {
    std::size_t i = reader.channel(channel_column, table.size());
    int row = reader.row();
    if (given_in[i] != 0)
      reader.fail(row, "Channel " + std::to_string(i + 1) + " is given twice (first in row " +
                           std::to_string(given_in[i]) + ")");
    given_in[i] = row;
    int level = reader.value(value_column);
    if (parse_integer(table[i].Default_Value) != level) out[i].Default_Value = std::to_string(level);
    if (mnemonic_column)
      if (auto mnemonic = reader.mnemonic(*mnemonic_column)) out[i].Mnemonic = std::move(*mnemonic);
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
