#include "platform/files.h"

#include "platform/errors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace lw::fs {

std::string join(std::string_view folder, std::string_view name) {
  std::string out(folder);
  out += '/';
  out += name;
  return out;
}

std::string file_name(std::string_view path) {
  auto slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

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

[[noreturn]] void fail(const std::string& what, const std::string& path, int err) {
  throw FileError(what + " " + path + ": " + system_error_text(err));
}

[[noreturn]] void too_large(const std::string& path, std::size_t max_bytes) {
  std::string limit = max_bytes % (1u << 20) == 0 ? std::to_string(max_bytes >> 20) + " MiB"
                                                 : std::to_string(max_bytes) + " bytes";
  throw FileError("Cannot read " + path + ": the file is larger than the limit of " + limit + " for this file");
}
} // namespace

std::string read_bytes(const std::string& path, std::size_t max_bytes) {
  UniqueFd fd(new int(::open(path.c_str(), O_RDONLY | O_CLOEXEC)));
  if (*fd < 0) fail("Cannot open", path, errno);
  struct stat st {};
  if (::fstat(*fd, &st) != 0) fail("Cannot read", path, errno);
  if (S_ISDIR(st.st_mode)) fail("Cannot read", path, EISDIR);
  if (static_cast<std::size_t>(st.st_size) > max_bytes) too_large(path, max_bytes);
  std::string out;
  out.resize(static_cast<std::size_t>(st.st_size));
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

void atomic_save(const std::string& path, std::string_view bytes) {
  std::string tmp = path + ".tmpXXXXXX";
  UniqueFd fd(new int(::mkstemp(tmp.data())));
  if (*fd < 0) fail("Cannot write", path, errno);
  auto abandon = [&](int err) {
    ::unlink(tmp.c_str());
    fail("Cannot write", path, err);
  };
  mode_t mask = ::umask(0);
  ::umask(mask);
  if (::fchmod(*fd, 0666 & ~mask) != 0) abandon(errno);
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(*fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      abandon(errno);
    }
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(*fd) != 0) abandon(errno);
  int raw = *fd;
  *fd = -1;
  if (::close(raw) != 0) abandon(errno);
  if (::rename(tmp.c_str(), path.c_str()) != 0) abandon(errno);
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
