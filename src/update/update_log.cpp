#include "update/update_log.h"

#include "core/limits.h"
#include "formats/csv.h"
#include "formats/errors.h"
#include "platform/files.h"
#include "update/update_record.h"

#include <algorithm>
#include <optional>

namespace lw {

bool LoggedAttempt::succeeded() const {
  return outcome == outcome_word(UpdateOutcome::Kind::UpdaterEnded) && exit_status == "0";
}

std::string logged_outcome_text(const LoggedAttempt& attempt) {
  std::string out = attempt.outcome;
  if (!attempt.exit_status.empty()) out += " " + attempt.exit_status;
  if (!attempt.detail.empty()) out += ": " + attempt.detail;
  return out;
}

namespace {
bool is_line_end(char c) { return c == '\n' || c == '\r'; }

// A log's header line and its last records, whole (a line end in a quoted
// field stays in it), and where they start.
struct LogTail {
  std::string_view header;
  std::string_view records;
  std::size_t start = 0; // where the records start in the log
};

[[noreturn]] void line_too_long(const std::string& path) {
  throw FileError("Cannot read " + path + ": a line is longer than " +
                  std::to_string(kMaxLoggedLineBytes >> 10) + " KiB");
}

// Found from the end: a line end lies outside quotes when the quotes before
// it are even, so one count of them serves lines of any number.
LogTail log_tail(std::string_view log, std::size_t count, const std::string& path) {
  LogTail out;
  const std::size_t header_end = log.find_first_of("\r\n");
  if (header_end == std::string_view::npos) return out; // a header alone
  if (header_end > kMaxLoggedLineBytes) line_too_long(path);
  out.header = log.substr(0, header_end);
  std::size_t end = log.size();
  while (end > header_end && is_line_end(log[end - 1]))
    --end;
  std::size_t quotes = static_cast<std::size_t>(std::count(log.begin(), log.begin() + end, '"'));
  std::size_t start = end, record_end = end, found = 0;
  for (std::size_t i = end; found < count && i-- > header_end;) {
    if (log[i] == '"') --quotes; // now the quotes before i
    if (is_line_end(log[i]) && quotes % 2 == 0) {
      if (i + 1 < record_end) { // a blank line is no record
        ++found;
        start = i + 1;
      }
      record_end = i;
    } else if (record_end - i > kMaxLoggedLineBytes) {
      line_too_long(path);
    }
  }
  out.records = log.substr(start, end - start);
  out.start = start;
  return out;
}

// The row a position of the log lies on, as the CSV reader counts rows.
std::size_t row_at(std::string_view log, std::size_t position) {
  std::size_t row = 1;
  bool quoted = false;
  for (std::size_t i = 0; i < position; ++i) {
    if (log[i] == '"') quoted = !quoted;
    // CR LF is one line end, as CR alone and LF alone are.
    if (!quoted && is_line_end(log[i]) && !(log[i] == '\r' && i + 1 < log.size() && log[i + 1] == '\n'))
      ++row;
  }
  return row;
}

// The reader's error about the tail, its row counted from the log's start.
[[noreturn]] void refuse_at_row(const FileError& e, const std::string& path, std::size_t first_row) {
  const std::string said = e.what(), prefix = path + ": row ";
  std::size_t digits = said.starts_with(prefix) ? said.find(':', prefix.size()) : std::string::npos;
  std::optional<std::size_t> row;
  if (digits != std::string::npos) row = std::stoul(said.substr(prefix.size(), digits - prefix.size()));
  // The tail is parsed below the header, as row 2 on.
  if (!row || *row < 2) throw e;
  throw FileError(prefix + std::to_string(*row - 2 + first_row) + said.substr(digits));
}
} // namespace

std::vector<LoggedAttempt> last_logged_attempts(const std::string& conf_dir, std::size_t count) {
  const std::string path = update_log_path(conf_dir);
  if (!fs::exists(path) && !fs::is_link(path)) return {};
  const std::string log = fs::read_bytes(path, kMaxUpdateLogBytes, fs::Links::Refuse);
  const LogTail tail = log_tail(log, count, path);
  if (tail.records.empty()) return {};
  csv::Sheet sheet;
  try {
    sheet = csv::parse(std::string(tail.header) + "\r\n" + std::string(tail.records), path, count);
  } catch (const FileError& e) {
    refuse_at_row(e, path, row_at(log, tail.start));
  }
  std::vector<LoggedAttempt> out;
  const std::size_t first = sheet.size() > count ? sheet.size() - count : 0;
  for (std::size_t r = first; r < sheet.size(); ++r) {
    auto field = [&](std::string_view name) {
      auto column = sheet.column(name);
      return column ? std::string(sheet.field(r, *column)) : std::string();
    };
    out.push_back({field("time"), field("address"), field("option"), field("read_back"), field("checksum"),
                   field("outcome"), field("exit_status"), field("detail")});
  }
  return out;
}

} // namespace lw
