#include "temp_dir.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace lw::test {

#ifdef _WIN32
TempDir::TempDir() {
  std::mt19937 generator{std::random_device{}()};
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    auto candidate =
        std::filesystem::temp_directory_path() / ("loomwork-test-" + std::to_string(generator()));
    if (std::filesystem::create_directory(candidate)) {
      std::u8string utf8 = candidate.u8string();
      path_.assign(utf8.begin(), utf8.end());
    }
  }
  if (path_.empty()) throw std::runtime_error("cannot make a temporary folder");
}

std::string TempDir::file(std::string_view name) const { return path_ + "\\" + native(name); }

std::string native(std::string_view place) {
  std::string out(place);
  std::replace(out.begin(), out.end(), '/', '\\');
  return out;
}
#else
TempDir::TempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "loomwork-test-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  path_ = tmpl;
}

std::string TempDir::file(std::string_view name) const { return path_ + "/" + std::string(name); }

std::string native(std::string_view place) { return std::string(place); }
#endif

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                               ec);
  std::filesystem::remove_all(path_, ec);
}

void set_environment(const std::string& name, const std::string& value) {
#ifdef _WIN32
  ::_putenv_s(name.c_str(), value.c_str());
#else
  if (value.empty())
    ::unsetenv(name.c_str());
  else
    ::setenv(name.c_str(), value.c_str(), 1);
#endif
}

std::filesystem::path fs_path(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8(const std::filesystem::path& path) {
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

void write_file(const std::string& path, std::string_view bytes) {
  std::filesystem::create_directories(fs_path(path).parent_path());
  std::ofstream out(fs_path(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string read_file(const std::string& path) {
  std::ifstream in(fs_path(path), std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

} // namespace lw::test
