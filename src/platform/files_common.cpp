// The parts of the files adapter that are the same on every system.
#include "formats/errors.h"
#include "platform/files.h"
#include "platform/files_detail.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <random>

namespace lw::fs {

namespace {
bool is_separator(char c) { return c == '/' || (kSeparator == '\\' && c == '\\'); }

std::size_t last_separator(std::string_view path) {
  for (std::size_t i = path.size(); i-- > 0;)
    if (is_separator(path[i])) return i;
  return std::string_view::npos;
}
} // namespace

std::string join(std::string_view folder, std::string_view name) {
  std::string out(folder);
  out += kSeparator;
  out += name;
  return out;
}

std::string file_name(std::string_view path) {
  auto slash = last_separator(path);
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string parent_folder(const std::string& path) {
  auto slash = last_separator(path);
  if (slash == std::string::npos) return ".";
  if (slash == 0) return std::string(1, path[0]);
  // "C:\x" is held by "C:\", not by "C:", which names the drive's current
  // folder.
  if (kSeparator == '\\' && slash == 2 && path[1] == ':') return path.substr(0, 3);
  return path.substr(0, slash);
}

std::string without_trailing_separators(std::string path) {
  while (path.size() > 1 && is_separator(path.back()))
    path.pop_back();
  return path;
}

std::string write_destination(const std::string& path) {
  std::error_code ec;
  std::filesystem::path resolved =
      std::filesystem::weakly_canonical(std::filesystem::path(std::u8string(path.begin(), path.end())), ec);
  if (ec) return path;
  std::u8string text = resolved.u8string();
  return std::string(text.begin(), text.end());
}

bool is_link(const std::string& path) { return entry_kind(path) == EntryKind::Link; }

void refuse_link(const std::string& what, const std::string& path) {
  if (is_link(path)) detail::link_in_place(what, path);
}

bool is_own_temporary(std::string_view name, std::string_view file) {
  if (!name.starts_with(file)) return false;
  std::string_view rest = name.substr(file.size());
  if (!rest.starts_with(kTemporarySuffix)) return false;
  rest.remove_prefix(kTemporarySuffix.size());
  return detail::is_random_letters(rest, kTemporaryRandomChars);
}

int remove_stale_temporaries(const std::string& folder, std::span<const std::string_view> files,
                             int min_age_seconds) {
  int removed = 0;
  for (const DirEntry& entry : list_dir(folder)) {
    if (entry.is_dir || entry.is_symlink) continue;
    bool ours = std::any_of(files.begin(), files.end(),
                            [&](std::string_view file) { return is_own_temporary(entry.name, file); });
    if (!ours) continue;
    std::string full = join(folder, entry.name);
    auto age = detail::regular_file_age_seconds(full);
    // A young one may belong to another instance writing right now.
    if (!age || *age < min_age_seconds) continue;
    if (remove_file(full)) ++removed;
  }
  return removed;
}

std::string limit_text(std::size_t max_bytes) {
  return max_bytes % (1u << 20) == 0 ? std::to_string(max_bytes >> 20) + " MiB"
                                     : std::to_string(max_bytes) + " bytes";
}

namespace detail {

void fail(const std::string& what, const std::string& path, int err) {
  throw FileError(what + " " + path + ": " + system_error_text(err));
}

std::string random_letters(std::size_t count) {
  // Lower case alone: Windows takes "a" and "A" for one name.
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  static thread_local std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  std::string out;
  for (std::size_t i = 0; i < count; ++i)
    out += kLetters[pick(generator)];
  return out;
}

bool is_random_letters(std::string_view text, std::size_t count) {
  return text.size() == count && std::all_of(text.begin(), text.end(), [](char c) {
           return std::isalnum(static_cast<unsigned char>(c));
         });
}

void link_in_place(const std::string& what, const std::string& path) {
  throw FileError(what + " " + path + ": it is a link, which is never followed here");
}

void too_large(const std::string& path, std::size_t max_bytes) {
  throw FileError("Cannot read " + path + ": the file is larger than the limit of " + limit_text(max_bytes) +
                  " for this file");
}

} // namespace detail

} // namespace lw::fs
