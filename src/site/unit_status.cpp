#include "site/unit_status.h"

#include "core/identity.h"
#include "core/limits.h"
#include "core/text.h"
#include "formats/errors.h"
#include "image/image_layout.h"
#include "params/stored_checks.h"
#include "platform/files.h"
#include "projects/readable_file.h"
#include "update/change_preview.h"
#include "update/image_diff.h"
#include "update/update_record.h"

#include <algorithm>

namespace lw {

namespace {
Ipv4 octets_at(const image::Image& image, std::size_t offset) {
  Ipv4 out{};
  std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
  return out;
}

UnitSettings settings_of(const image::Image& image) {
  return {octets_at(image, image::at::ip_address), octets_at(image, image::at::subnet_mask),
          image::read_le(image.data() + image::at::modbus_address, 4),
          image::dmx_channel_count(image.data())};
}

void read_last_attempt(UnitStatus& status) {
  try {
    std::vector<LoggedAttempt> last = last_logged_attempts(status.conf_dir, 1);
    if (last.empty()) return;
    LastAttempt attempt{std::move(last.front()), std::nullopt, std::nullopt};
    attempt.outcome = outcome_of_word(attempt.logged.outcome);
    if (!attempt.logged.exit_status.empty()) attempt.exit_status = parse_integer(attempt.logged.exit_status);
    status.last_attempt = std::move(attempt);
  } catch (const FileError& e) {
    status.log_unreadable = e.what();
  }
}

// What step 4 would hand over now, or why it would refuse: the same tests,
// the same compiler, nothing written.
std::optional<image::Image> image_now(UnitStatus& status, const TextTable& texts) {
  const std::string& dir = status.conf_dir;
  try {
    if (auto failure =
            stored_files_failure(fs::join(dir, kParGenFile), fs::join(dir, kDmxDefaultFile), texts)) {
      status.state = UnitState::Refused;
      status.message = *failure;
      return std::nullopt;
    }
    return compiled_image(dir);
  } catch (const FileError& e) {
    status.state = UnitState::Refused;
    status.message = e.what();
    return std::nullopt;
  }
}

// The last image sent with success; nullopt when there is none, or when it
// can't be read as one, which is then said in the status.
std::optional<image::Image> last_sent(UnitStatus& status, bool refused) {
  const std::string path = last_sent_path(status.conf_dir);
  if (!fs::exists(path) && !fs::is_link(path)) return std::nullopt;
  std::string bytes;
  std::optional<std::string> fault;
  try {
    bytes = fs::read_bytes(path, kMaxImageBytes, fs::Links::Refuse);
    if (auto why = unreadable_reason({fs::join(kBinFolder, kLastSentFile), bytes})) fault = path + " " + *why;
  } catch (const FileError& e) {
    fault = e.what();
  }
  if (fault) {
    // A refusal outranks the record: the unit can't be sent either way.
    if (!refused) {
      status.state = UnitState::RecordUnreadable;
      status.message = *fault;
    }
    return std::nullopt;
  }
  image::Image out{};
  std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(out.data()));
  return out;
}
UnitStatus status_of(const std::string& name, const std::string& conf_dir,
                     const std::optional<std::string>& not_configuration, const TextTable& texts) {
  UnitStatus status;
  status.name = name;
  status.conf_dir = conf_dir;
  if (not_configuration) {
    status.state = UnitState::NotConfiguration;
    status.message = *not_configuration;
    return status;
  }
  read_last_attempt(status);
  const std::optional<image::Image> now = image_now(status, texts);
  const bool refused = !now;
  if (now) status.configured = settings_of(*now);
  const std::optional<image::Image> sent = last_sent(status, refused);
  if (sent) {
    status.address_now = octets_at(*sent, image::at::ip_address);
    status.address_now_recorded = true;
  } else if (status.configured && status.state != UnitState::RecordUnreadable) {
    // Never sent: a device that took no image of this configuration is
    // looked for where the configuration puts it.
    status.address_now = status.configured->address;
  }
  if (refused || status.state == UnitState::RecordUnreadable) return status;
  if (!sent) {
    status.state = UnitState::NeverSent;
    return status;
  }
  const ImageDiff diff = diff_images(*sent, *now);
  status.state = diff.equal() ? UnitState::UpToDate : UnitState::Changed;
  status.changes = {diff.fields.size(), diff.channels.size()};
  return status;
}
} // namespace

std::string dotted(const Ipv4& address) {
  return std::to_string(address[0]) + "." + std::to_string(address[1]) + "." + std::to_string(address[2]) +
         "." + std::to_string(address[3]);
}

bool sendable(UnitState state) { return state != UnitState::NotConfiguration && state != UnitState::Refused; }

UnitStatus unit_status(const std::string& projects_dir, const SiteEntry& entry, const TextTable& texts) {
  return status_of(entry.name, fs::join(projects_dir, entry.name), entry.not_configuration, texts);
}

UnitStatus unit_status(const std::string& conf_dir, const TextTable& texts) {
  return status_of(fs::file_name(fs::without_trailing_separators(conf_dir)), conf_dir,
                   not_configuration_reason(conf_dir), texts);
}

std::vector<UnitStatus> site_status(const std::string& projects_dir, const TextTable& texts) {
  std::vector<UnitStatus> site;
  for (const SiteEntry& entry : site_entries(projects_dir))
    site.push_back(unit_status(projects_dir, entry, texts));
  return site;
}

} // namespace lw
