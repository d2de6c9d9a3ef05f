#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lw::csv {

// A sheet as a spreadsheet saves it: the header row, then the records. Row
// numbers count as the spreadsheet shows them: the header is row 1.
struct Sheet {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> records;
  char separator = ',';

  std::vector<int> record_rows; // each record's row; a blank line is a row too

  int row_number(std::size_t record) const { return record_rows.at(record); }
  // The column with this header (blanks around a header ignored, letters
  // compared without case), or nullopt.
  std::optional<std::size_t> column(std::string_view name) const;
  bool column_named(std::size_t column, std::string_view name) const;
  // A record's field, empty when the record is shorter.
  const std::string& field(std::size_t record, std::size_t column) const;
};

// Reads UTF-8 text (a byte-order mark is dropped) with comma or semicolon
// separators, whichever the header row uses, quoted fields with doubled
// quotes, and CR LF, LF or CR line ends. Blank lines are skipped. Throws
// FileError naming the row on a quote left open or a stray quote, prefixed
// with name.
Sheet parse(std::string_view text, const std::string& name);

// One row as written: fields quoted where they hold the separator, a quote,
// a line end or blanks at either end; CR LF at its end.
std::string format_row(const std::vector<std::string>& fields, char separator = ',');

} // namespace lw::csv
