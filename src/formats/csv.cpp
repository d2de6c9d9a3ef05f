#include "formats/csv.h"

#include "formats/errors.h"
#include "formats/utf8.h"

#include <algorithm>

namespace lw::csv {

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Le = "\xFF\xFE";
constexpr std::string_view kUtf16Be = "\xFE\xFF";
// Enough of a sheet's start to tell UTF-16 from UTF-8: its header row.
constexpr std::size_t kUtf16Probe = 512;

bool is_line_end(char c) { return c == '\r' || c == '\n'; }
bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim_blanks(std::string_view s) {
  while (!s.empty() && is_blank(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back()))
    s.remove_suffix(1);
  return s;
}

// UTF-16 without its mark: text never holds a NUL byte, and UTF-16 puts
// one beside every ASCII letter of a header, all on the same side of each
// pair; a stray NUL is no UTF-16.
bool is_unmarked_utf16(std::string_view text) {
  std::string_view start = text.substr(0, kUtf16Probe);
  std::size_t even = 0, odd = 0;
  for (std::size_t i = 0; i < start.size(); ++i)
    if (start[i] == '\0') ++(i % 2 == 0 ? even : odd);
  return (even == 0) != (odd == 0) && 2 * std::max(even, odd) >= start.size() / 2;
}

// The header row decides: the separator it holds outside quotes; a header of
// one column has none, and comma is as good as any.
char detect_separator(std::string_view text) {
  bool quoted = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == ',' || c == ';') return c;
    if (is_line_end(c)) break;
  }
  return ',';
}

// Blanks and control characters alone, as a spreadsheet's empty cells.
bool is_empty_record(const Record& record) {
  return std::ranges::all_of(record, [](const std::string& field) {
    return std::ranges::all_of(field, [](char c) { return static_cast<unsigned char>(c) <= 0x20; });
  });
}

bool needs_quotes(std::string_view field, char separator) {
  if (field.empty()) return false;
  if (is_blank(field.front()) || is_blank(field.back())) return true;
  for (char c : field)
    if (c == separator || c == '"' || is_line_end(c)) return true;
  return false;
}
} // namespace

std::optional<std::size_t> column(const Record& header, std::string_view name) {
  for (std::size_t i = 0; i < header.size(); ++i)
    if (column_named(header, i, name)) return i;
  return std::nullopt;
}

bool column_named(const Record& header, std::size_t column, std::string_view name) {
  return column < header.size() && utf8::same_ignoring_ascii_case(trim_blanks(header[column]), name);
}

Reader::Reader(std::string_view text, const std::string& name) : text_(text), name_(name) {
  if (text_.starts_with(kByteOrderMark)) text_.remove_prefix(kByteOrderMark.size());
  // Said plainly, as a spreadsheet's "Unicode text" export is UTF-16 and
  // would otherwise read as a sheet without the expected columns.
  if (text_.starts_with(kUtf16Le) || text_.starts_with(kUtf16Be) || is_unmarked_utf16(text_))
    throw FileError(name_ + ": the sheet is UTF-16 text; save it as CSV in UTF-8");
  if (!utf8::is_valid(text_))
    throw FileError(name_ + ": the sheet is not UTF-8 text; save it as CSV in UTF-8");
  separator_ = detect_separator(text_);
  read_record(header_);
}

bool Reader::next(Record& record) {
  while (read_record(record))
    if (!is_empty_record(record)) return true;
  return false;
}

bool Reader::read_record(Record& record) {
  // A blank line is an empty row in a spreadsheet: it counts.
  while (pos_ < text_.size() && is_line_end(text_[pos_])) {
    skip_line_end();
    ++row_;
  }
  if (pos_ >= text_.size()) {
    record.clear();
    return false;
  }
  ++row_;
  std::size_t count = 0;
  for (;;) {
    if (count == kMaxFields)
      fail("more than " + std::to_string(kMaxFields) + " fields, more than any sheet of the program has");
    if (count == record.size()) record.emplace_back();
    read_field(record[count++]);
    if (pos_ >= text_.size()) break;
    if (is_line_end(text_[pos_])) {
      skip_line_end();
      break;
    }
    ++pos_; // the separator
  }
  record.resize(count);
  return true;
}

void Reader::read_field(std::string& out) {
  std::size_t start = pos_;
  skip_blanks();
  if (pos_ < text_.size() && text_[pos_] == '"') return read_quoted(out);
  pos_ = start;
  while (pos_ < text_.size() && text_[pos_] != separator_ && !is_line_end(text_[pos_])) {
    if (text_[pos_] == '"') fail("a quote inside a field that does not begin with one");
    ++pos_;
  }
  out.assign(text_.substr(start, pos_ - start));
}

void Reader::read_quoted(std::string& out) {
  ++pos_; // the opening quote
  out.clear();
  for (;;) {
    std::size_t quote = text_.find('"', pos_);
    if (quote == std::string_view::npos) fail("a quoted field is not closed");
    out.append(text_.substr(pos_, quote - pos_));
    pos_ = quote + 1;
    if (pos_ < text_.size() && text_[pos_] == '"') {
      out += '"';
      ++pos_;
      continue;
    }
    break;
  }
  skip_blanks();
  if (pos_ < text_.size() && text_[pos_] != separator_ && !is_line_end(text_[pos_]))
    fail("text after the closing quote of a field");
}

void Reader::skip_blanks() {
  while (pos_ < text_.size() && is_blank(text_[pos_]))
    ++pos_;
}

void Reader::skip_line_end() {
  if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
}

void Reader::fail(const std::string& why) const {
  throw FileError(name_ + ": row " + std::to_string(row_) + ": " + why);
}

void Sheet::add(const Record& record, int row) {
  firsts_.push_back(ends_.size());
  for (const std::string& field : record) {
    bytes_ += field;
    ends_.push_back(bytes_.size());
  }
  rows_.push_back(row);
}

std::string_view Sheet::field(std::size_t record, std::size_t column) const {
  if (column >= fields(record)) return {};
  std::size_t at = first_field(record) + column;
  std::size_t start = at == 0 ? 0 : ends_[at - 1];
  return std::string_view(bytes_).substr(start, ends_[at] - start);
}

Record Sheet::record(std::size_t record) const {
  Record out;
  for (std::size_t c = 0; c < fields(record); ++c)
    out.emplace_back(field(record, c));
  return out;
}

Sheet parse(std::string_view text, const std::string& name, std::size_t max_records) {
  Reader reader(text, name);
  Sheet sheet;
  sheet.header = reader.header();
  sheet.separator = reader.separator();
  for (Record record; reader.next(record);) {
    if (sheet.size() == max_records)
      throw FileError(name + ": row " + std::to_string(reader.row()) + ": more than " +
                      std::to_string(max_records) + " rows, more than a sheet of this kind holds");
    sheet.add(record, reader.row());
  }
  return sheet;
}

std::string format_row(const std::vector<std::string>& fields, char separator) {
  std::string out;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += separator;
    const std::string& f = fields[i];
    if (!needs_quotes(f, separator)) {
      out += f;
      continue;
    }
    out += '"';
    for (char c : f) {
      if (c == '"') out += '"';
      out += c;
    }
    out += '"';
  }
  out += "\r\n";
  return out;
}

} // namespace lw::csv
