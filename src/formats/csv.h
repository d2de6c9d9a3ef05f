#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lw::csv {

// The most fields one row may hold: every column a sheet of the program has,
// with room for the empty ones a spreadsheet saves past the last one used.
// A row of more is no sheet of the program's, refused before it fills the
// memory.
inline constexpr std::size_t kMaxFields = 128;

using Record = std::vector<std::string>;

// The column with this header (blanks around a header ignored, ASCII
// letters compared without case), or nullopt.
std::optional<std::size_t> column(const Record& header, std::string_view name);
bool column_named(const Record& header, std::size_t column, std::string_view name);

// Reads UTF-8 text (a byte-order mark is dropped) with comma or semicolon
// separators, whichever the header row uses, quoted fields with doubled
// quotes, and CR LF, LF or CR line ends, one record at a time, so a sheet
// costs the memory of its text and one record. Row numbers count as the
// spreadsheet shows them: the header is row 1, and a blank line is a row.
// Throws FileError, prefixed with name, for UTF-16 text (with its mark or
// without), text that is not UTF-8, and, naming the row, a quote left open,
// a stray quote or more than kMaxFields fields.
class Reader {
public:
  // Reads the header row; a text without one has an empty header.
  Reader(std::string_view text, const std::string& name);

  const Record& header() const { return header_; }
  char separator() const { return separator_; }
  // The next record that holds more than blanks and control characters (a
  // row of empty fields is a blank line too), or false at the end. The
  // record's strings are reused.
  bool next(Record& record);
  // The row of the record last read.
  int row() const { return row_; }

private:
  bool read_record(Record& record);
  void read_field(std::string& out);
  void read_quoted(std::string& out);
  void skip_blanks();
  void skip_line_end();
  [[noreturn]] void fail(const std::string& why) const;

  std::string_view text_;
  std::string name_;
  char separator_ = ',';
  std::size_t pos_ = 0;
  int row_ = 0;
  Record header_;
};

// A whole sheet: the header row, then the records that hold something, kept
// as their bytes one after another and where each field ends, so a field
// costs its bytes and no string of its own.
class Sheet {
public:
  Record header;
  char separator = ',';

  void add(const Record& record, int row);
  // How many records, and each one's row, fields and field, empty when the
  // record is shorter.
  std::size_t size() const { return rows_.size(); }
  int row_number(std::size_t record) const { return rows_.at(record); }
  std::size_t fields(std::size_t record) const { return first_field(record + 1) - first_field(record); }
  std::string_view field(std::size_t record, std::size_t column) const;
  Record record(std::size_t record) const;

  std::optional<std::size_t> column(std::string_view name) const { return csv::column(header, name); }
  bool column_named(std::size_t column, std::string_view name) const {
    return csv::column_named(header, column, name);
  }

private:
  std::size_t first_field(std::size_t record) const {
    return record < firsts_.size() ? firsts_[record] : ends_.size();
  }

  std::string bytes_;               // every field's bytes, in order
  std::vector<std::size_t> ends_;   // where each field ends in bytes_
  std::vector<std::size_t> firsts_; // each record's first field in ends_
  std::vector<int> rows_;
};

// The sheet read whole by the Reader; throws as it does, and FileError when
// more than max_records records hold something.
Sheet parse(std::string_view text, const std::string& name, std::size_t max_records);

// One row as written: fields quoted where they hold the separator, a quote,
// a line end or blanks at either end; CR LF at its end.
std::string format_row(const std::vector<std::string>& fields, char separator = ',');

} // namespace lw::csv
