#include "platform/folder_aside.h"

#include "formats/errors.h"
#include "platform/files.h"
#include "platform/files_detail.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lw::fs {

namespace {
[[noreturn]] void fail(const std::string& what, const std::string& path, int err) {
  throw FileError(what + " " + path + ": " + system_error_text(err));
}
} // namespace

std::string make_folder_aside(const std::string& parent, std::string_view prefix) {
  std::string path = join(parent, "." + std::string(prefix) + "-" + std::string(kAsideRandomChars, 'X'));
  if (!::mkdtemp(path.data())) fail("Cannot write", parent, errno);
  // mkdtemp keeps the folder to its owner; once renamed into place it is an
  // ordinary folder and takes the mode any other would.
  ::mode_t mask = ::umask(0);
  ::umask(mask);
  ::chmod(path.c_str(), 0777 & ~mask);
  return path;
}

void write_new_file(const std::string& path, std::string_view bytes) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) fail("Cannot write", path, errno);
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      int err = errno;
      ::close(fd);
      fail("Cannot write", path, err);
    }
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) {
    int err = errno;
    ::close(fd);
    fail("Cannot write", path, err);
  }
  if (::close(fd) != 0) fail("Cannot write", path, errno);
}

void sync_entries(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) fail("Cannot write", folder, errno);
  // A file system that can't sync a folder (EINVAL) has nothing to lose.
  if (::fsync(fd) != 0 && errno != EINVAL) {
    int err = errno;
    ::close(fd);
    fail("Cannot write", folder, err);
  }
  ::close(fd);
}

int rename_into_place(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  // A file system without the flag: rename would put the folder over an
  // empty one of that name, so the name is tested first.
  if (errno != EINVAL && errno != ENOSYS) return errno;
  struct stat st {};
  if (::lstat(to.c_str(), &st) == 0) return EEXIST;
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

namespace detail {
void remove_entry_aside(const std::string& path, bool /*folder_link*/) { ::unlink(path.c_str()); }
void remove_empty_folder(const std::string& path) { ::rmdir(path.c_str()); }
} // namespace detail

} // namespace lw::fs
