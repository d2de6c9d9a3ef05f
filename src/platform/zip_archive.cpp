#include "platform/zip_archive.h"

#include "formats/errors.h"
#include "formats/utf8.h"
#include "platform/files.h"

#include <archive.h>
#include <archive_entry.h>
#ifdef _WIN32
#include "platform/wide_text_win.h"
#else
#include <locale.h>
#endif

#include <algorithm>
#include <cctype>
#include <ctime>
#include <memory>
#include <set>
#include <string_view>

namespace lw::zip {

namespace {
// Unix permission bits stored with each entry, so an archive unpacked by
// hand gives files and folders their usual rights.
constexpr int kFileMode = 0644;
constexpr int kFolderMode = 0755;
constexpr std::size_t kReadChunk = 64 * 1024;

struct ArchiveDeleter {
  void operator()(archive* a) const { archive_free(a); }
};
using Archive = std::unique_ptr<archive, ArchiveDeleter>;
struct EntryDeleter {
  void operator()(archive_entry* e) const { archive_entry_free(e); }
};

std::string archive_text(archive* a) {
  const char* text = archive_error_string(a);
  return text != nullptr ? text : "unknown error";
}

[[noreturn]] void refuse(const std::string& path, const std::string& why) {
  throw FileError("Cannot read " + path + ": " + why);
}

[[noreturn]] void refuse_entry(const std::string& path, std::string_view name, const std::string& why) {
  refuse(path, "entry \"" + utf8::printable(name) + "\" " + why);
}

#ifndef _WIN32
// libarchive converts entry names to and from the locale's character set,
// and a program started in the "C" locale has none for "ü". The names are
// UTF-8 inside the program whatever the locale, so this thread works in
// UTF-8 while it reads or writes an archive.
class Utf8Names {
public:
  Utf8Names() : utf8_(::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr))) {
    if (utf8_) before_ = ::uselocale(utf8_);
  }
  ~Utf8Names() {
    if (!utf8_) return;
    ::uselocale(before_);
    ::freelocale(utf8_);
  }
  Utf8Names(const Utf8Names&) = delete;
  Utf8Names& operator=(const Utf8Names&) = delete;

private:
  locale_t utf8_;
  locale_t before_ = nullptr;
};
#else
// Windows converts through UTF-16 whatever the code page.
struct Utf8Names {};
#endif

la_ssize_t append(archive*, void* out, const void* bytes, std::size_t size) {
  static_cast<std::string*>(out)->append(static_cast<const char*>(bytes), size);
  return static_cast<la_ssize_t>(size);
}

// Why a name can't stand for a place inside the folder it is unpacked in,
// or empty when it can.
std::string path_refusal(std::string_view name) {
  if (name.empty()) return "has no name";
  if (name.front() == '/') return "has an absolute path";
  if (name.size() >= 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0])) != 0)
    return "names a drive";
  if (name.find('\\') != std::string_view::npos) return "holds a backslash";
  for (std::size_t start = 0;;) {
    std::size_t end = std::min(name.find('/', start), name.size());
    std::string_view part = name.substr(start, end - start);
    if (part == "..") return "leads out of its folder (\"..\")";
    if (part.empty() || part == ".") return "has an empty or \".\" part";
    if (end == name.size()) break;
    start = end + 1;
  }
  return {};
}

// The entry's kind, refusing all but plain files and folders.
bool is_folder_entry(const std::string& path, archive_entry* entry, std::string_view name) {
  if (archive_entry_hardlink(entry) != nullptr) refuse_entry(path, name, "is a hard link");
  if (archive_entry_symlink(entry) != nullptr || archive_entry_filetype(entry) == AE_IFLNK)
    refuse_entry(path, name, "is a symbolic link");
  if (archive_entry_is_encrypted(entry) != 0) refuse_entry(path, name, "is encrypted");
  switch (archive_entry_filetype(entry)) {
  case AE_IFREG: return false;
  case AE_IFDIR: return true;
  default: refuse_entry(path, name, "is neither a file nor a folder");
  }
}

// A file's bytes, counted as they are unpacked against both limits.
std::string read_data(const std::string& path, archive* a, std::string_view name, const Limits& limits,
                      std::size_t& total) {
  std::string bytes;
  char chunk[kReadChunk];
  for (;;) {
    la_ssize_t n = archive_read_data(a, chunk, sizeof chunk);
    if (n < 0) refuse_entry(path, name, "can't be unpacked: " + archive_text(a));
    if (n == 0) return bytes;
    auto got = static_cast<std::size_t>(n);
    if (got > limits.entry_bytes - bytes.size())
      refuse_entry(path, name, "unpacks to more than " + std::to_string(limits.entry_bytes) + " bytes");
    if (got > limits.total_bytes - total)
      refuse_entry(path, name, "takes the archive past " + std::to_string(limits.total_bytes) + " bytes");
    bytes.append(chunk, got);
    total += got;
  }
}
} // namespace

void write(const std::string& path, const Entries& entries) {
  [[maybe_unused]] Utf8Names names;
  Archive a(archive_write_new());
  std::string out;
  auto failed = [&] { throw FileError("Cannot write " + path + ": " + archive_text(a.get())); };
  if (!a || archive_write_set_format_zip(a.get()) != ARCHIVE_OK ||
      archive_write_zip_set_compression_deflate(a.get()) != ARCHIVE_OK ||
      // Names in UTF-8, flagged so, whatever the locale: every unzipper reads
      // them alike.
      archive_write_set_options(a.get(), "zip:hdrcharset=UTF-8") != ARCHIVE_OK ||
      archive_write_open2(a.get(), &out, nullptr, append, nullptr, nullptr) != ARCHIVE_OK)
    failed();
  const std::time_t now = std::time(nullptr);
  std::unique_ptr<archive_entry, EntryDeleter> entry(archive_entry_new());
  for (const Entry& e : entries) {
    archive_entry_clear(entry.get());
    const std::string name = e.folder ? e.name + "/" : e.name;
#ifdef _WIN32
    // Given in UTF-16 the name never passes through the code page, which
    // may not hold it (Wine's never is UTF-8); the writer then finds no
    // name in it and fails.
    archive_entry_copy_pathname_w(entry.get(), win::wide(name).c_str());
#else
    archive_entry_update_pathname_utf8(entry.get(), name.c_str());
#endif
    archive_entry_set_filetype(entry.get(), e.folder ? AE_IFDIR : AE_IFREG);
    archive_entry_set_perm(entry.get(), e.folder ? kFolderMode : kFileMode);
    archive_entry_set_size(entry.get(), static_cast<la_int64_t>(e.folder ? 0 : e.bytes.size()));
    archive_entry_set_mtime(entry.get(), now, 0);
    if (archive_write_header(a.get(), entry.get()) != ARCHIVE_OK) failed();
    if (!e.folder && !e.bytes.empty() &&
        archive_write_data(a.get(), e.bytes.data(), e.bytes.size()) !=
            static_cast<la_ssize_t>(e.bytes.size()))
      failed();
  }
  if (archive_write_close(a.get()) != ARCHIVE_OK) failed();
  fs::atomic_save(path, out);
}

Entries read(const std::string& path, const Limits& limits) {
  [[maybe_unused]] Utf8Names names;
  // read_bytes refuses a folder, a pipe or a device before opening it, and
  // a file past the limit before reading it.
  const std::string zip = fs::read_bytes(path, limits.file_bytes);
  Archive a(archive_read_new());
  // The central directory is the archive's table of contents, as every
  // unzipper takes it; an archive cut short has none and is no zip.
  if (!a || archive_read_support_format_zip_seekable(a.get()) != ARCHIVE_OK ||
      archive_read_set_options(a.get(), "zip:hdrcharset=UTF-8") != ARCHIVE_OK ||
      archive_read_open_memory(a.get(), zip.data(), zip.size()) != ARCHIVE_OK)
    refuse(path, "not a zip archive (" + archive_text(a.get()) + ")");
  Entries entries;
  std::set<std::string> seen;
  std::size_t total = 0;
  for (;;) {
    archive_entry* entry = nullptr;
    int status = archive_read_next_header(a.get(), &entry);
    if (status == ARCHIVE_EOF) break;
    if (status != ARCHIVE_OK)
      refuse(path, "damaged after " + std::to_string(entries.size()) + " entries: " + archive_text(a.get()));
    if (entries.size() == limits.entries)
      refuse(path, "holds more than " + std::to_string(limits.entries) + " entries");
      // As written, the name is taken in UTF-16 on Windows, past the code page.
#ifdef _WIN32
    const wchar_t* utf16 = archive_entry_pathname_w(entry);
    if (utf16 == nullptr) refuse(path, "an entry's name is not UTF-8 text");
    const std::string utf8 = win::narrow(utf16);
#else
    const char* utf8 = archive_entry_pathname_utf8(entry);
    if (utf8 == nullptr) refuse(path, "an entry's name is not UTF-8 text");
#endif
    std::string_view raw(utf8);
    bool folder = is_folder_entry(path, entry, raw);
    std::string_view name = folder && raw.ends_with('/') ? raw.substr(0, raw.size() - 1) : raw;
    if (std::string why = path_refusal(name); !why.empty()) refuse_entry(path, raw, why);
    if (!seen.insert(utf8::ascii_lower(name)).second) refuse_entry(path, raw, "is in the archive twice");
    Entry e{std::string(name), {}, folder};
    if (!folder) e.bytes = read_data(path, a.get(), raw, limits, total);
    entries.push_back(std::move(e));
  }
  return entries;
}

} // namespace lw::zip
