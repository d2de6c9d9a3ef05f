#include "platform/files.h"

#include "formats/errors.h"
#include "platform/files_detail.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <optional>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lw::fs {

using detail::fail;
using detail::too_large;

std::string system_error_text(int err) { return std::strerror(err); }

bool exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

bool is_file(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool is_dir(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

EntryKind entry_kind(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return EntryKind::None;
  if (S_ISLNK(st.st_mode)) return EntryKind::Link;
  if (S_ISDIR(st.st_mode)) return EntryKind::Folder;
  return S_ISREG(st.st_mode) ? EntryKind::File : EntryKind::Other;
}

bool remove_file(const std::string& path) { return ::unlink(path.c_str()) == 0; }

std::optional<long long> detail::regular_file_age_seconds(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return static_cast<long long>(std::time(nullptr) - st.st_mtime);
}

std::optional<long long> detail::folder_age_seconds(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
  return static_cast<long long>(std::time(nullptr) - st.st_mtime);
}

bool make_dir(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0; }

bool make_dirs(const std::string& path) {
  if (path.empty()) return false;
  if (is_dir(path)) return true;
  auto slash = path.rfind('/');
  if (slash != std::string::npos && slash > 0 && !make_dirs(path.substr(0, slash))) return false;
  return make_dir(path) || is_dir(path);
}

namespace {
struct FdCloser {
  void operator()(const int* fd) const {
    if (*fd >= 0) ::close(*fd);
    delete fd;
  }
};
using UniqueFd = std::unique_ptr<int, FdCloser>;

[[noreturn]] void not_regular(const std::string& what, const std::string& path, mode_t mode) {
  if (S_ISLNK(mode)) detail::link_in_place(what, path);
  if (S_ISDIR(mode)) fail(what, path, EISDIR);
  throw FileError(what + " " + path + ": not a regular file");
}

// What stands at path: the link's target when links are followed, else the
// link itself. 0, or the errno value.
int status_of(const std::string& path, Links links, struct stat& st) {
  int got = links == Links::Follow ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st);
  return got == 0 ? 0 : errno;
}

int no_follow_flag(Links links) { return links == Links::Follow ? 0 : O_NOFOLLOW; }

// An open refused with O_NOFOLLOW reports the link in the path's place.
[[noreturn]] void open_failed(const std::string& what, const std::string& path, Links links, int err) {
  if (err == ELOOP && links == Links::Refuse && is_link(path)) detail::link_in_place(what, path);
  fail(what, path, err);
}
} // namespace

std::string read_bytes(const std::string& path, std::size_t max_bytes, Links links) {
  // A named pipe or a device in a file's place would block open() or read()
  // for ever: anything but a regular file is refused before it is opened,
  // and the open itself never waits.
  struct stat before {};
  if (int err = status_of(path, links, before)) fail("Cannot open", path, err);
  if (!S_ISREG(before.st_mode)) not_regular("Cannot read", path, before.st_mode);
  UniqueFd fd(
      new int(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | no_follow_flag(links))));
  if (*fd < 0) open_failed("Cannot open", path, links, errno);
  struct stat st {};
  if (::fstat(*fd, &st) != 0) fail("Cannot read", path, errno);
  if (!S_ISREG(st.st_mode)) not_regular("Cannot read", path, st.st_mode); // swapped since the stat
  if (static_cast<std::size_t>(st.st_size) > max_bytes) too_large(path, max_bytes);
  // One byte more than the file holds shows its end without growing the
  // buffer, which would copy it and double the peak memory of a read.
  std::string out;
  out.resize(static_cast<std::size_t>(st.st_size) + 1);
  std::size_t got = 0;
  for (;;) {
    if (got == out.size()) {
      // The file may have grown since fstat; read on until the end or the limit.
      if (out.size() >= max_bytes + 1) break;
      out.resize(std::min(max_bytes + 1, out.size() + 65536));
    }
    ssize_t n = ::read(*fd, out.data() + got, out.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail("Cannot read", path, errno);
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  if (got > max_bytes) too_large(path, max_bytes);
  out.resize(got);
  return out;
}

namespace {
// Stop signals wait while a file is written and renamed, so a Ctrl+C never
// leaves a temporary file behind; they are delivered when the mask is put back.
class StopSignalsHeld {
public:
  StopSignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
      sigaddset(&held, signal);
    ::pthread_sigmask(SIG_BLOCK, &held, &previous_);
  }
  ~StopSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
  StopSignalsHeld(const StopSignalsHeld&) = delete;
  StopSignalsHeld& operator=(const StopSignalsHeld&) = delete;

private:
  sigset_t previous_{};
};

// After a rename the folder holds the new name only once the folder itself
// is on disk; a file system that can't sync a folder has nothing to lose.
void sync_folder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

struct WriteTarget {
  std::string path; // where the bytes go: a link is followed, so it stays a link
  mode_t mode;
};

WriteTarget write_target(const std::string& path, Links links) {
  // Refused, a link is never resolved below, so the rename replaces at most
  // a link made since: nothing is written through one.
  if (links == Links::Refuse) refuse_link("Cannot write", path);
  mode_t mask = ::umask(0);
  ::umask(mask);
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    if (errno != ENOENT) fail("Cannot write", path, errno);
    // A link to nothing would be replaced by a file; it is left as it is.
    struct stat lst {};
    if (::lstat(path.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode))
      throw FileError("Cannot write " + path + ": a link to a file that does not exist");
    return {path, static_cast<mode_t>(0666 & ~mask)};
  }
  // A device or a pipe in the way is never replaced by a regular file.
  if (!S_ISREG(st.st_mode)) not_regular("Cannot write", path, st.st_mode);
  if ((st.st_mode & S_IWUSR) == 0) fail("Cannot write", path, EACCES);
  WriteTarget out{path, static_cast<mode_t>(st.st_mode & 0777)};
  struct stat lst {};
  if (links == Links::Follow && ::lstat(path.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) {
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    if (!resolved) fail("Cannot write", path, errno);
    out.path = resolved.get();
  }
  return out;
}
} // namespace

namespace {
void write_all(int fd, std::string_view bytes, const std::function<void(int)>& failed) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      failed(errno);
    }
    done += static_cast<std::size_t>(n);
  }
}
} // namespace

void atomic_save(const std::string& path, std::string_view bytes, Links links) {
  WriteTarget target = write_target(path, links);
  std::string tmp = target.path + std::string(kTemporarySuffix) + std::string(kTemporaryRandomChars, 'X');
  StopSignalsHeld held;
  UniqueFd fd(new int(::mkstemp(tmp.data())));
  if (*fd < 0) fail("Cannot write", path, errno);
  auto abandon = [&](int err) {
    ::unlink(tmp.c_str());
    fail("Cannot write", path, err);
  };
  if (::fchmod(*fd, target.mode) != 0) abandon(errno);
  write_all(*fd, bytes, abandon);
  if (::fsync(*fd) != 0) abandon(errno);
  int raw = *fd;
  *fd = -1;
  if (::close(raw) != 0) abandon(errno);
  if (::rename(tmp.c_str(), target.path.c_str()) != 0) abandon(errno);
  sync_folder(parent_folder(target.path));
}

void append_text(const std::string& path, std::string_view header, std::string_view text) {
  // A pipe or a device in the log's place would block or swallow the line;
  // a link would append it to whatever file it names.
  struct stat before {};
  if (status_of(path, Links::Refuse, before) == 0 && !S_ISREG(before.st_mode))
    not_regular("Cannot write", path, before.st_mode);
  UniqueFd fd(new int(::open(path.c_str(),
                             O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY |
                                 no_follow_flag(Links::Refuse),
                             0666)));
  if (*fd < 0) open_failed("Cannot write", path, Links::Refuse, errno);
  struct stat st {};
  if (::fstat(*fd, &st) != 0) fail("Cannot write", path, errno);
  if (!S_ISREG(st.st_mode)) not_regular("Cannot write", path, st.st_mode);
  std::string out;
  if (st.st_size == 0) {
    out = header;
  } else {
    // The open for appending can't read; a second descriptor reads the last byte.
    UniqueFd reader(new int(
        ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | no_follow_flag(Links::Refuse))));
    char last = '\n';
    if (*reader >= 0 && ::pread(*reader, &last, 1, st.st_size - 1) == 1 && last != '\n') out = "\r\n";
  }
  out += text;
  StopSignalsHeld held;
  write_all(*fd, out, [&](int err) { fail("Cannot write", path, err); });
  if (::fsync(*fd) != 0) fail("Cannot write", path, errno);
}

bool write_new(const std::string& path, std::string_view bytes) {
  StopSignalsHeld held;
  UniqueFd fd(new int(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666)));
  if (*fd < 0) {
    if (errno == EEXIST) return false;
    fail("Cannot write", path, errno);
  }
  auto abandon = [&](int err) {
    ::unlink(path.c_str());
    fail("Cannot write", path, err);
  };
  write_all(*fd, bytes, abandon);
  if (::fsync(*fd) != 0) abandon(errno);
  sync_folder(parent_folder(path));
  return true;
}

std::string move_aside(const std::string& path) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  const std::string base = path + ".unusable-" + stamp;
  for (int n = 1; n < 100; ++n) {
    std::string aside = n == 1 ? base : base + "-" + std::to_string(n);
    struct stat st {};
    if (::lstat(aside.c_str(), &st) == 0) continue;
    if (::rename(path.c_str(), aside.c_str()) != 0) fail("Cannot move aside", path, errno);
    sync_folder(parent_folder(aside));
    return aside;
  }
  fail("Cannot move aside", path, EEXIST);
}

std::vector<DirEntry> list_dir(const std::string& path) {
  std::vector<DirEntry> out;
  DIR* dir = ::opendir(path.c_str());
  if (!dir) return out;
  while (dirent* e = ::readdir(dir)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    DirEntry entry;
    entry.name = name;
    std::string full = join(path, name);
    struct stat lst {};
    if (::lstat(full.c_str(), &lst) != 0) continue;
    entry.is_symlink = S_ISLNK(lst.st_mode);
    struct stat st {};
    bool resolved = ::stat(full.c_str(), &st) == 0;
    const struct stat& s = resolved ? st : lst;
    entry.is_dir = S_ISDIR(s.st_mode);
    entry.owner_writable = (s.st_mode & S_IWUSR) != 0;
    out.push_back(std::move(entry));
  }
  ::closedir(dir);
  return out;
}

std::string executable_dir() {
  std::string buf(4096, '\0');
  ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
  if (n <= 0) return ".";
  buf.resize(static_cast<std::size_t>(n));
  auto slash = buf.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return buf.substr(0, slash);
}

} // namespace lw::fs
