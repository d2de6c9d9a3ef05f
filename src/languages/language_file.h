#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace lw {

struct Catalogue;
class TextTable;

// Overlays the entry lines of one language file on the table; takes the
// version from the first "//VERSION" line, when there is one. A text longer
// than kMaxEntryChars is cut there; returns the index of the first entry cut.
inline constexpr std::size_t kMaxEntryChars = 2000;
std::optional<int> apply_language_text(std::string_view text, TextTable& table, std::string& version);

// Reads one language file; a file that can't be read leaves the table as it
// is, and the system's text is returned. So is a warning naming the file and
// the entry when an entry had to be cut.
std::optional<std::string> Read_Language_File(const std::string& path, TextTable& table,
                                              std::string& version);

// Rebuilds the catalogue from the file of the language `name` in
// language_dir, falling back to English, and names the language it settled
// on in Texts_Language. Returns why the language file could not be read,
// when it exists but could not.
std::optional<std::string> Load_Language(Catalogue& catalogue, const std::string& language_dir,
                                         const std::string& name);

// A complete language file (UTF-8 with a byte-order mark) that reads back as
// exactly the given table.
std::string write_language_file(const TextTable& table, std::string_view version);

} // namespace lw
