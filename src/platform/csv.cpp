#include "platform/csv.h"

#include "platform/utf8.h"

#include "platform/errors.h"

namespace lw::csv {

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Le = "\xFF\xFE";
constexpr std::string_view kUtf16Be = "\xFE\xFF";

bool is_line_end(char c) { return c == '\r' || c == '\n'; }

std::string_view trim_blanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
    s.remove_suffix(1);
  return s;
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool same_name(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
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

class Reader {
public:
  Reader(std::string_view text, char separator, const std::string& name)
      : text_(text), separator_(separator), name_(name) {}

  // The next record, or nullopt at the end; blank lines are passed over.
  std::optional<std::vector<std::string>> next() {
    // A blank line is an empty row in a spreadsheet: it counts.
    while (pos_ < text_.size() && is_line_end(text_[pos_])) {
      skip_line_end();
      ++row_;
    }
    if (pos_ >= text_.size()) return std::nullopt;
    ++row_;
    std::vector<std::string> fields;
    for (;;) {
      fields.push_back(read_field());
      if (pos_ >= text_.size()) break;
      if (is_line_end(text_[pos_])) {
        skip_line_end();
        break;
      }
      ++pos_; // the separator
    }
    return fields;
  }

private:
  std::string read_field() {
    std::size_t start = pos_;
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
      ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '"') return read_quoted();
    pos_ = start;
    while (pos_ < text_.size() && text_[pos_] != separator_ && !is_line_end(text_[pos_])) {
      if (text_[pos_] == '"') fail("a quote inside a field that does not begin with one");
      ++pos_;
    }
    return std::string(text_.substr(start, pos_ - start));
  }

  std::string read_quoted() {
    ++pos_; // the opening quote
    std::string out;
    for (;;) {
      if (pos_ >= text_.size()) fail("a quoted field is not closed");
      char c = text_[pos_++];
      if (c != '"') {
        out += c;
        continue;
      }
      if (pos_ < text_.size() && text_[pos_] == '"') {
        out += '"';
        ++pos_;
        continue;
      }
      break;
    }
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
      ++pos_;
    if (pos_ < text_.size() && text_[pos_] != separator_ && !is_line_end(text_[pos_]))
      fail("text after the closing quote of a field");
    return out;
  }

  void skip_line_end() {
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
  }

  [[noreturn]] void fail(const std::string& why) const {
    throw FileError(name_ + ": row " + std::to_string(row_) + ": " + why);
  }

  std::string_view text_;
  char separator_;
  const std::string& name_;
  std::size_t pos_ = 0;
  int row_ = 0;

public:
  int row() const { return row_; }
};

bool needs_quotes(std::string_view field, char separator) {
  if (field.empty()) return false;
  if (field.front() == ' ' || field.front() == '\t' || field.back() == ' ' || field.back() == '\t')
    return true;
  for (char c : field)
    if (c == separator || c == '"' || is_line_end(c)) return true;
  return false;
}
} // namespace

std::optional<std::size_t> Sheet::column(std::string_view name) const {
  for (std::size_t i = 0; i < header.size(); ++i)
    if (column_named(i, name)) return i;
  return std::nullopt;
}

bool Sheet::column_named(std::size_t column, std::string_view name) const {
  return column < header.size() && same_name(trim_blanks(header[column]), name);
}

const std::string& Sheet::field(std::size_t record, std::size_t column) const {
  static const std::string kEmpty;
  const auto& r = records.at(record);
  return column < r.size() ? r[column] : kEmpty;
}

Sheet parse(std::string_view text, const std::string& name) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  // Said plainly, as a spreadsheet's "Unicode text" export is UTF-16 and
  // would otherwise read as a sheet without the expected columns.
  if (text.starts_with(kUtf16Le) || text.starts_with(kUtf16Be))
    throw FileError(name + ": the sheet is UTF-16 text; save it as CSV in UTF-8");
  if (!utf8::is_valid(text)) throw FileError(name + ": the sheet is not UTF-8 text; save it as CSV in UTF-8");
  Sheet sheet;
  sheet.separator = detect_separator(text);
  Reader reader(text, sheet.separator, name);
  if (auto header = reader.next()) sheet.header = std::move(*header);
  while (auto record = reader.next()) {
    sheet.records.push_back(std::move(*record));
    sheet.record_rows.push_back(reader.row());
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
