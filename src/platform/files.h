#pragma once
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lw::fs {

// The system's own separator, used in every path the program makes, so
// paths in messages and in the descriptor read as the system writes them.
// Windows accepts '/' too in what it is given.
#ifdef _WIN32
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

// Joins a folder (never ending in a separator) and a name.
std::string join(std::string_view folder, std::string_view name);
std::string file_name(std::string_view path);
// The folder holding path: "." for a bare name, "/" at the root.
std::string parent_folder(const std::string& path);
// A folder as typed, "A/" or "A\\" on Windows, without its trailing
// separators; the root keeps its one.
std::string without_trailing_separators(std::string path);
// Where a write to path lands: every link on the way followed, as the
// writers follow a link to replace the file it names. The path as it is
// when it can't be resolved.
std::string write_destination(const std::string& path);

bool exists(const std::string& path);
bool is_file(const std::string& path);
bool is_dir(const std::string& path);
// Whether path itself is a link, never followed: a symbolic link, or on
// Windows any reparse point (a junction too).
bool is_link(const std::string& path);

// What a reader or a writer does with a link standing in a file's place.
// Most follow it, as the user who made it meant; the record of what was sent
// to the device is only ever the configuration's own file.
enum class Links { Follow, Refuse };
// Throws FileError ("<what> <path>: it is a link, ...") when path is a link.
void refuse_link(const std::string& what, const std::string& path);

// What stands at path itself, a link never followed.
enum class EntryKind { None, File, Folder, Link, Other };
EntryKind entry_kind(const std::string& path);

// Removes a file (or a link, never what it points to); true when it went.
bool remove_file(const std::string& path);

// One folder level; false when the system refuses it or it already exists.
bool make_dir(const std::string& path);
// Every missing level; true when the folder exists afterwards.
bool make_dirs(const std::string& path);

// A size limit as messages name it: "16 MiB", or its bytes when it is no
// whole number of MiB.
std::string limit_text(std::size_t max_bytes);

// The whole file. Throws FileError with the system's text, or when the file
// is larger than max_bytes (so hostile input can't exhaust memory), or when
// `links` refuses the link in its place.
std::string read_bytes(const std::string& path, std::size_t max_bytes, Links links = Links::Follow);

// Writes a temporary file in the same folder, flushes it to disk and renames
// it over path, so a crash or a full disk never leaves half a file; then the
// folder is synced so the new name survives a power cut. An existing file
// keeps its permission bits, a link stays a link to the rewritten file, and
// stop signals wait until the rename is done. Refuses (FileError with the
// system's text) a target that is not a regular file or a link to one, and
// a file without its owner's write permission; with Links::Refuse, a link
// in its place is refused, never written through nor replaced.
void atomic_save(const std::string& path, std::string_view bytes, Links links = Links::Follow);

// Adds text at the end of a file and never rewrites what is there: a new or
// empty file gets `header` first, and a last line without its line end gets
// one. Only the file's last byte is read, so a log of any size costs the
// same. Refuses (FileError with the system's text) anything but a regular
// file: a log is never written through a link, whose target may be any file.
void append_text(const std::string& path, std::string_view header, std::string_view text);

// Writes a file whose name must be new, flushed to disk; false when the name
// is taken (by a link too, which is never followed), FileError with the system's text when it can't be
// written.
bool write_new(const std::string& path, std::string_view bytes);

// The temporary files atomic_save leaves only when killed mid-write:
// "<file>.tmp" and six random letters or digits.
inline constexpr std::string_view kTemporarySuffix = ".tmp";
inline constexpr std::size_t kTemporaryRandomChars = 6;
bool is_own_temporary(std::string_view name, std::string_view file);
// Removes from the folder the temporary files of the given file names that
// are at least min_age_seconds old; returns how many went.
int remove_stale_temporaries(const std::string& folder, std::span<const std::string_view> files,
                             int min_age_seconds);

// Renames a file beside itself as "<path>.unusable-YYYYMMDD-HHMMSS" (local
// time; "-2", "-3"... when taken) and returns the new path. Throws FileError
// with the system's text when it can't.
std::string move_aside(const std::string& path);

struct DirEntry {
  std::string name;
  bool is_dir = false;
  bool is_symlink = false;
  bool owner_writable = true;
};
// Entries in the order the system yields them, "." and ".." left out.
// Empty when the folder can't be listed.
std::vector<DirEntry> list_dir(const std::string& path);

// Folder of the running executable, resolved from the process itself.
std::string executable_dir();

std::string system_error_text(int err);

} // namespace lw::fs
