#include "update/update_record.h"

#include "core/identity.h"
#include "core/limits.h"
#include "image/compiler.h"
#include "image/image_layout.h"
#include "platform/appender.h"
#include "platform/csv.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/sha256.h"
#include "update/ip_address.h"

#include <array>

namespace lw {

namespace {
using Kind = UpdateOutcome::Kind;

struct OutcomeWord {
  Kind kind;
  std::string_view word;
};

// Stable words for a spreadsheet or a script, never translated.
constexpr std::array<OutcomeWord, kOutcomeKindCount> kOutcomeWords{{
    {Kind::TestFailed, "test failed"},
    {Kind::ImageNotWritten, "image not written"},
    {Kind::UnusableAddress, "unusable address"},
    {Kind::Silent, "device not found"},
    {Kind::NotPermitted, "probe not permitted"},
    {Kind::SendFailed, "probe not sent"},
    {Kind::Cancelled, "cancelled"},
    {Kind::DescriptorNotWritten, "descriptor not written"},
    {Kind::UpdaterNotStarted, "updater could not start"},
    {Kind::UpdaterEnded, "updater ended"},
    {Kind::UpdaterStillRunning, "updater still running after the wait"},
}};
static_assert(indexed_by_kind(kOutcomeWords));

constexpr std::string_view kOptionWords[] = {"firmware+configuration", "firmware", "configuration"};

std::string option_word(int option) {
  if (option >= 0 && static_cast<std::size_t>(option) < std::size(kOptionWords))
    return std::string(kOptionWords[option]);
  return std::to_string(option);
}

std::string checksum_text(const std::string& image) {
  if (image.size() < image::kParamBlockSize) return {};
  return image::hex32(
      image::read_le(reinterpret_cast<const std::uint8_t*>(image.data()) + image::kChecksumOffset, 4));
}
} // namespace

std::string update_log_path(const std::string& conf_dir) { return fs::join(conf_dir, kUpdateLogFile); }
std::string sent_folder(const std::string& conf_dir) {
  return fs::join(fs::join(conf_dir, kBinFolder), kSentFolder);
}
std::string last_sent_path(const std::string& conf_dir) {
  return fs::join(fs::join(conf_dir, kBinFolder), kLastSentFile);
}

std::string update_log_header() {
  return csv::format_row(
      {"time", "address", "option", "read_back", "checksum", "sha256", "outcome", "exit_status", "detail"});
}

std::string update_log_line(const UpdateAttempt& attempt, const UpdateOutcome& outcome,
                            const LocalTime& when) {
  const std::string image = attempt.image.value_or("");
  return csv::format_row({iso_8601(when), canonical_address(attempt.address).value_or(attempt.address),
                          option_word(attempt.option), attempt.read_back ? "yes" : "no",
                          attempt.image ? checksum_text(image) : "", attempt.image ? sha256_hex(image) : "",
                          std::string(kOutcomeWords[static_cast<std::size_t>(outcome.kind)].word),
                          outcome.kind == Kind::UpdaterEnded ? std::to_string(outcome.exit_status) : "",
                          outcome.system_text});
}

std::optional<std::string> handed_image(const std::string& conf_dir) {
  try {
    return fs::read_bytes(image::bank_file_path(conf_dir), kMaxImageBytes);
  } catch (const FileError&) {
    return std::nullopt;
  }
}

namespace {
// A folder of the record, made when missing. A link in its place would carry
// the record out of the configuration's folder: refused, never followed.
void make_record_folder(const std::string& folder) {
  fs::refuse_link("Cannot write", folder);
  if (!fs::is_dir(folder) && !fs::make_dir(folder) && !fs::is_dir(folder))
    throw FileError("Cannot write " + folder + ": the folder can't be made");
  fs::refuse_link("Cannot write", folder); // swapped in since
}
} // namespace

bool update_succeeded(const UpdateOutcome& outcome) {
  return outcome.kind == Kind::UpdaterEnded && outcome.exit_status == 0;
}

bool image_handed_over(const UpdateOutcome& outcome) {
  return outcome.kind == Kind::UpdaterEnded || outcome.kind == Kind::UpdaterStillRunning;
}

std::string keep_sent_image(const std::string& conf_dir, const std::string& image, const LocalTime& when,
                            bool succeeded) {
  make_record_folder(fs::join(conf_dir, kBinFolder));
  const std::string folder = sent_folder(conf_dir);
  make_record_folder(folder);
  const std::string stem = fs::join(folder, "bank-" + file_stamp(when));
  std::string path = stem + ".bin";
  for (int n = 2; !fs::write_new(path, image); ++n)
    path = stem + "-" + std::to_string(n) + ".bin";
  if (succeeded) fs::atomic_save(last_sent_path(conf_dir), image, fs::Links::Refuse);
  return path;
}

RecordFailures Record_Update(const UpdateAttempt& attempt, const UpdateOutcome& outcome,
                             RecordPorts& record) {
  RecordFailures failures;
  const LocalTime when = record.wall.local_now();
  try {
    record.log.append_line(update_log_path(attempt.conf_dir), update_log_header(),
                           update_log_line(attempt, outcome, when));
  } catch (const FileError& e) {
    failures.log = e.what();
  }
  if (image_handed_over(outcome) && attempt.image) {
    try {
      keep_sent_image(attempt.conf_dir, *attempt.image, when, update_succeeded(outcome));
    } catch (const FileError& e) {
      failures.kept = e.what();
    }
  }
  return failures;
}

RecordedUpdate Record_Attempt(UpdateAttempt attempt, bool image_ready, const UpdatePorts& ports,
                              RecordPorts& record,
                              const std::function<UpdateOutcome(const UpdatePorts&)>& run) {
  if (image_ready) attempt.image = handed_image(attempt.conf_dir);
  UpdatePorts watched = ports;
  watched.progress = [&](UpdateStep step) {
    if (step == UpdateStep::ImageWritten) attempt.image = handed_image(attempt.conf_dir);
    ports.progress(step);
  };
  UpdateOutcome outcome = run(watched);
  return {outcome, Record_Update(attempt, outcome, record)};
}

std::string logged_outcome_text(std::string_view outcome, std::string_view exit_status,
                                std::string_view detail) {
  std::string out(outcome);
  if (!exit_status.empty()) out += " " + std::string(exit_status);
  if (!detail.empty()) out += ": " + std::string(detail);
  return out;
}

bool LoggedAttempt::succeeded() const {
  return outcome == kOutcomeWords[static_cast<std::size_t>(Kind::UpdaterEnded)].word && exit_status == "0";
}

namespace {
// A log's header line and its last record, which starts on the given row
// as a spreadsheet counts them: line ends in a quoted field stay in it.
struct LogEnds {
  std::string_view header;
  std::string_view last;
  std::size_t row = 0;
};

LogEnds log_ends(std::string_view log) {
  LogEnds out;
  bool quoted = false, line_start = false;
  std::size_t rows = 1;
  for (std::size_t i = 0; i < log.size(); ++i) {
    const char c = log[i];
    const bool line_end = !quoted && (c == '\n' || c == '\r');
    if (line_end && out.header.data() == nullptr) out.header = log.substr(0, i);
    if (!line_end && line_start) {
      out.last = log.substr(i);
      out.row = rows;
    }
    // CR LF is one line end, as CR alone and LF alone are.
    if (line_end && !(c == '\r' && i + 1 < log.size() && log[i + 1] == '\n')) ++rows;
    line_start = line_end;
    if (c == '"') quoted = !quoted;
  }
  return out;
}
} // namespace

std::optional<LoggedAttempt> last_logged_attempt(const std::string& conf_dir) {
  const std::string path = update_log_path(conf_dir);
  if (!fs::exists(path) && !fs::is_link(path)) return std::nullopt;
  const std::string log = fs::read_bytes(path, kMaxUpdateLogBytes, fs::Links::Refuse);
  // Only the header and the last record are parsed, so a log of any length
  // costs one pass over its bytes.
  const LogEnds ends = log_ends(log);
  if (ends.last.empty()) return std::nullopt; // the header alone
  csv::Sheet sheet;
  try {
    sheet = csv::parse(std::string(ends.header) + "\r\n" + std::string(ends.last), path);
  } catch (const FileError&) {
    // Parsed again below the rows before it, so the error names its row as
    // the log has it.
    csv::parse(std::string(ends.header) + std::string(ends.row - 1, '\n') + std::string(ends.last), path);
    throw;
  }
  if (sheet.records.empty()) return std::nullopt;
  auto field = [&](std::string_view name) {
    auto column = sheet.column(name);
    return column ? sheet.field(0, *column) : std::string();
  };
  return LoggedAttempt{field("time"), field("outcome"), field("exit_status"), field("detail")};
}

} // namespace lw
