#include "site_listing.h"

#include "cli.h"
#include "formats/json.h"
#include "formats/utf8.h"
#include "site/state_words.h"
#include "update/update_log.h"

#include <algorithm>

namespace lw::cli {

namespace {
// The last attempt's detail is the system's text, of any length.
constexpr std::size_t kShownAttemptChars = 80;

constexpr std::string_view kUnknown = "-";
constexpr std::string_view kMovesMark = "*";

std::optional<std::string> address_text(const std::optional<Ipv4>& address) {
  if (!address) return std::nullopt;
  return dotted(*address);
}

std::optional<Ipv4> configured_address(const UnitStatus& unit) {
  if (!unit.configured) return std::nullopt;
  return unit.configured->address;
}

// The next update puts the device somewhere else than where it is now.
bool moves(const UnitStatus& unit) {
  return unit.address_now && unit.configured && *unit.address_now != unit.configured->address;
}

// Both images were at hand and compared.
bool compared(const UnitStatus& unit) {
  return unit.state == UnitState::UpToDate || unit.state == UnitState::Changed;
}

// Why the unit stands as it does, with why its log can't be read.
std::string unit_message(const UnitStatus& unit) {
  std::string out = unit.message;
  if (unit.log_unreadable) out += (out.empty() ? "" : "; ") + *unit.log_unreadable;
  return out;
}

std::string json_address(const std::optional<Ipv4>& address) {
  const auto text = address_text(address);
  return text ? json_string(*text) : "null";
}

std::string json_attempt(const std::optional<LastAttempt>& attempt) {
  if (!attempt) return "null";
  const std::string status = attempt->exit_status ? std::to_string(*attempt->exit_status) : "null";
  return "{\"time\":" + json_string(attempt->logged.time) +
         ",\"outcome\":" + json_string(attempt->logged.outcome) + ",\"status\":" + status + "}";
}

std::string json_unit(const UnitStatus& unit, std::optional<bool> reachable) {
  const auto& configured = unit.configured;
  const std::string changes = compared(unit)
                                  ? "{\"fields\":" + std::to_string(unit.changes.fields) +
                                        ",\"channels\":" + std::to_string(unit.changes.channels) + "}"
                                  : "null";
  const std::string message = unit_message(unit);
  return "{\"name\":" + json_string(unit.name) + ",\"state\":" + json_string(state_word(unit.state)) +
         ",\"address_now\":" + json_address(unit.address_now) +
         ",\"configured_address\":" + json_address(configured_address(unit)) +
         ",\"modbus_id\":" + (configured ? std::to_string(configured->modbus_id) : "null") +
         ",\"channels\":" + (configured ? std::to_string(configured->channels) : "null") +
         ",\"changes\":" + changes + ",\"last_attempt\":" + json_attempt(unit.last_attempt) +
         ",\"reachable\":" + (reachable ? (*reachable ? "true" : "false") : "null") +
         ",\"message\":" + (message.empty() ? "null" : json_string(message)) + "}";
}

// Characters as a terminal advances by them, near enough: one for each
// that starts a character of printable text.
std::size_t shown_width(std::string_view printable) {
  return static_cast<std::size_t>(std::ranges::count_if(
      printable, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

using Cells = std::vector<std::string>;

// Every column but the last padded to its widest cell.
std::string aligned(const std::vector<Cells>& rows) {
  std::vector<std::size_t> widths;
  for (const Cells& row : rows) {
    widths.resize(std::max(widths.size(), row.size()));
    for (std::size_t i = 0; i < row.size(); ++i)
      widths[i] = std::max(widths[i], shown_width(row[i]));
  }
  std::string out;
  for (const Cells& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
      line += row[i];
      if (i + 1 < row.size()) line += std::string(widths[i] - shown_width(row[i]) + 2, ' ');
    }
    line.erase(line.find_last_not_of(' ') + 1);
    out += line + "\n";
  }
  return out;
}

std::string plural(std::size_t count, const std::string& one) {
  return std::to_string(count) + " " + one + (count == 1 ? "" : "s");
}

Cells table_row(const UnitStatus& unit, std::optional<bool> reachable, bool probed) {
  const auto& configured = unit.configured;
  std::string configured_text(kUnknown);
  if (configured)
    configured_text = dotted(configured->address) + (moves(unit) ? std::string(kMovesMark) : "");
  std::string attempt(kUnknown);
  if (unit.last_attempt)
    attempt =
        utf8::printable(unit.last_attempt->logged.time + " " + logged_outcome_text(unit.last_attempt->logged),
                        kShownAttemptChars);
  Cells row{utf8::printable(unit.name, kShownNameChars),
            std::string(state_word(unit.state)),
            address_text(unit.address_now).value_or(std::string(kUnknown)),
            configured_text,
            configured ? std::to_string(configured->modbus_id) : std::string(kUnknown),
            configured ? std::to_string(configured->channels) : std::string(kUnknown),
            unit.state == UnitState::Changed
                ? plural(unit.changes.fields, "field") + ", " + plural(unit.changes.channels, "channel")
                : std::string(kUnknown),
            attempt};
  if (probed) row.push_back(reachable ? (*reachable ? "yes" : "no") : std::string(kUnknown));
  const std::string message = unit_message(unit);
  row.push_back(message.empty() ? std::string() : utf8::printable(message, kShownMessageChars));
  return row;
}
} // namespace

std::string site_json(std::span<const UnitStatus> units, const SiteProbe& probe) {
  std::string out = "{\"units\":[";
  for (std::size_t i = 0; i < units.size(); ++i)
    out += (i ? ",\n" : "\n") + json_unit(units[i], probe.probed ? probe.reachable[i] : std::nullopt);
  return out + (units.empty() ? "" : "\n") + "]}\n";
}

std::string site_table(std::span<const UnitStatus> units, const SiteProbe& probe) {
  std::vector<Cells> rows{
      {"NAME", "STATE", "ADDRESS NOW", "CONFIGURED", "MODBUS ID", "CHANNELS", "CHANGES", "LAST ATTEMPT"}};
  if (probe.probed) rows.front().push_back("REACHABLE");
  rows.front().push_back("MESSAGE");
  for (std::size_t i = 0; i < units.size(); ++i)
    rows.push_back(table_row(units[i], probe.probed ? probe.reachable[i] : std::nullopt, probe.probed));
  std::string out = aligned(rows);
  if (std::ranges::any_of(units, moves))
    out += std::string(kMovesMark) + " the next update moves the device to its configured address\n";
  return out;
}

} // namespace lw::cli
