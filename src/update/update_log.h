#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace lw {

// An attempt as its line in update-log.csv tells it, in the log's own words
// (the same in every language); a column the log lacks is empty.
struct LoggedAttempt {
  std::string time;
  std::string address;
  std::string option;
  std::string read_back;
  std::string checksum;
  std::string outcome;
  std::string exit_status;
  std::string detail;
  // The updater ended with status 0.
  bool succeeded() const;
  bool operator==(const LoggedAttempt&) const = default;
};

// An outcome as the log words it, with the exit status and the detail:
// "updater ended 5", "updater could not start: ...".
std::string logged_outcome_text(const LoggedAttempt& attempt);

// The configuration's last `count` attempts, oldest first; none without a
// log. Only the log's header and its last lines are parsed, so a log of any
// length costs one count of its quotes. Throws FileError when the log can't
// be read (a link in its place included: the record is never read through
// one), when one of those lines is longer than kMaxLoggedLineBytes, or with
// the CSV reader's text, naming the row as the log has it.
std::vector<LoggedAttempt> last_logged_attempts(const std::string& conf_dir, std::size_t count);

} // namespace lw
