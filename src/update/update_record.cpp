#include "update/update_record.h"

#include "core/identity.h"
#include "core/limits.h"
#include "formats/csv.h"
#include "formats/errors.h"
#include "formats/sha256.h"
#include "image/compiler.h"
#include "image/descriptor.h"
#include "image/image_layout.h"
#include "params/ip_address.h"
#include "platform/appender.h"
#include "platform/files.h"

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

// The columns the log takes as they come, cut so that every line fits its
// readers' limit even with each quote doubled; the others are short words.
constexpr std::size_t kMaxFreeColumnBytes = kMaxLoggedLineBytes / 8;

std::string fitting(std::string_view text) {
  if (text.size() <= kMaxFreeColumnBytes) return std::string(text);
  std::size_t cut = kMaxFreeColumnBytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) // inside a character
    --cut;
  return std::string(text.substr(0, cut)) + "...";
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

std::string_view outcome_word(UpdateOutcome::Kind kind) {
  return kOutcomeWords[static_cast<std::size_t>(kind)].word;
}

std::optional<UpdateOutcome::Kind> outcome_of_word(std::string_view word) {
  for (const OutcomeWord& row : kOutcomeWords)
    if (row.word == word) return row.kind;
  return std::nullopt;
}

std::string update_log_header() {
  return csv::format_row(
      {"time", "address", "option", "read_back", "checksum", "sha256", "outcome", "exit_status", "detail"});
}

std::string update_log_line(const UpdateAttempt& attempt, const UpdateOutcome& outcome,
                            const LocalTime& when) {
  const std::string image = attempt.image.value_or("");
  return csv::format_row({iso_8601(when),
                          fitting(canonical_address(attempt.address).value_or(attempt.address)),
                          option_word(attempt.option), attempt.read_back ? "yes" : "no",
                          attempt.image ? checksum_text(image) : "", attempt.image ? sha256_hex(image) : "",
                          std::string(outcome_word(outcome.kind)),
                          outcome.kind == Kind::UpdaterEnded ? std::to_string(outcome.exit_status) : "",
                          fitting(outcome.system_text)});
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
  // No configuration open, no record of it: its place would be the root.
  if (attempt.conf_dir.empty()) return failures;
  const LocalTime when = record.wall.local_now();
  try {
    record.log.append_line(update_log_path(attempt.conf_dir), update_log_header(),
                           update_log_line(attempt, outcome, when));
  } catch (const FileError& e) {
    failures.log = e.what();
  }
  if (image_handed_over(outcome) && attempt.image) {
    try {
      // Firmware alone leaves the device's parameters as they were: the image
      // handed over is kept, but it is not what the device now holds.
      const bool parameters_sent = attempt.option != image::kFirmwareOnly;
      keep_sent_image(attempt.conf_dir, *attempt.image, when, update_succeeded(outcome) && parameters_sent);
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

} // namespace lw
