#include "languages/language_file.h"

#include "core/catalogue.h"
#include "core/identity.h"
#include "core/limits.h"
#include "core/portable_name.h"
#include "core/text.h"
#include "formats/errors.h"
#include "formats/utf8.h"
#include "languages/text_decoding.h"
#include "platform/files.h"

namespace lw {

namespace {
constexpr std::string_view kPilcrow = "\xC2\xB6";
constexpr std::string_view kComment = "/#/";
constexpr std::string_view kVersionTag = "//VERSION";

// Steps back over one UTF-8 encoded character ending at end.
std::size_t previous_char_start(std::string_view s, std::size_t end) {
  if (end == 0) return 0;
  std::size_t i = end - 1;
  while (i > 0 && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80)
    --i;
  return i;
}

bool starts_with_ignoring_case(std::string_view line, std::string_view tag) {
  return utf8::same_ignoring_ascii_case(line.substr(0, tag.size()), tag);
}

// The first max_chars characters of a UTF-8 text; true in cut when it was longer.
std::string_view first_chars(std::string_view text, std::size_t max_chars, bool& cut) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (chars++ == max_chars) {
      cut = true;
      return text.substr(0, i);
    }
  }
  return text;
}

// The index of an entry line, -1 when it has none.
int entry_index(std::string_view line) {
  auto eq = line.find('=');
  if (eq == std::string_view::npos) return -1;
  // The character right before "=" is the separator blank; a line written
  // without it loses the last character of its index.
  std::size_t index_end = previous_char_start(line, eq);
  std::string_view index_text = index_end > 3 ? line.substr(3, index_end - 3) : std::string_view{};
  return parse_integer(trim_controls(index_text)).value_or(-1);
}

// Returns true when the entry's text had to be cut.
bool apply_entry_line(std::string_view line, TextTable& table) {
  auto eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  int index = entry_index(line);
  if (index < 0 || index >= table.Count()) return false;
  std::string_view text = trim_controls(line.substr(eq + 1));
  if (text.empty()) return false;
  if (auto c = text.find(kComment); c != std::string_view::npos) text = trim_controls(text.substr(0, c));
  if (text.empty()) return false;
  if (text.starts_with(kPilcrow)) text.remove_prefix(kPilcrow.size());
  if (auto p = text.find(kPilcrow); p != std::string_view::npos) text = text.substr(0, p);
  // No real text comes near the cap; a megabyte entry would freeze every
  // label and message box that shows it. No real text holds a control
  // character either: one would reach the terminal through `texts`.
  bool cut = false;
  table.Put(index, utf8::printable(first_chars(text, kMaxEntryChars, cut)));
  return cut;
}
} // namespace

std::optional<int> apply_language_text(std::string_view text, TextTable& table, std::string& version) {
  std::optional<int> first_cut;
  bool version_found = false;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r')
      ++end;
    std::string_view line = trim_controls(text.substr(pos, end - pos));
    if (line.starts_with("STR") && apply_entry_line(line, table) && !first_cut) first_cut = entry_index(line);
    if (!version_found && starts_with_ignoring_case(line, kVersionTag)) {
      version = std::string(trim_controls(line.substr(kVersionTag.size())));
      version_found = true;
    }
    if (end == text.size()) break;
    pos = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return first_cut;
}

std::optional<std::string> Read_Language_File(const std::string& path, TextTable& table,
                                              std::string& version) {
  std::string bytes;
  try {
    bytes = fs::read_bytes(path, kMaxLanguageBytes);
  } catch (const FileError& e) {
    return e.what();
  }
  if (auto cut = apply_language_text(decode_text_file(bytes), table, version))
    return path + ": the text of entry STR" + std::to_string(*cut) + " is longer than " +
           std::to_string(kMaxEntryChars) + " characters; only its first " + std::to_string(kMaxEntryChars) +
           " are used.";
  return std::nullopt;
}

std::optional<std::string> Load_Language(Catalogue& catalogue, const std::string& language_dir,
                                         const std::string& name) {
  catalogue.Text_Table.Fill_English_Texts();
  catalogue.Language_Version = std::string(kNoLanguageVersion);
  catalogue.Texts_Language = name;
  // A name is a file in LANGUAGE, never a path: "../x" would read any file;
  // and a name Windows can't hold is none on any system.
  const bool plain_name = is_portable_name(name);
  std::string chosen = fs::join(language_dir, name + ".lng");
  if (plain_name && fs::is_file(chosen))
    return Read_Language_File(chosen, catalogue.Text_Table, catalogue.Language_Version);
  catalogue.Texts_Language = std::string(kDefaultLanguage);
  std::string english = fs::join(language_dir, std::string(kDefaultLanguage) + ".lng");
  if (fs::is_file(english))
    return Read_Language_File(english, catalogue.Text_Table, catalogue.Language_Version);
  return std::nullopt;
}

std::string write_language_file(const TextTable& table, std::string_view version) {
  std::string out = "\xEF\xBB\xBF";
  out += "//VERSION ";
  out += version;
  out += "\r\n";
  for (int i = 0; i < table.Count(); ++i) {
    const std::string& text = table.Get(i);
    bool guard = text.empty() || static_cast<unsigned char>(text.front()) <= 0x20 ||
                 static_cast<unsigned char>(text.back()) <= 0x20;
    out += "STR" + std::to_string(i) + " = ";
    if (guard) out += kPilcrow;
    out += text;
    if (guard) out += kPilcrow;
    out += "\r\n";
  }
  return out;
}

} // namespace lw
