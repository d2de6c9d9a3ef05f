#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace lw::test {

// A fresh folder for one test, removed with everything in it afterwards.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // A path inside, written with the system's separator ("a/b" is "a\\b" on
  // Windows), as the program writes its own paths.
  std::string file(std::string_view name) const;

private:
  std::string path_;
};

// A relative place written "a/b" with the system's separator, as the program
// joins its own names.
std::string native(std::string_view place);

// Paths are UTF-8 text in the program; std::filesystem's narrow conversions
// go through the ANSI code page on Windows, so tests cross with these.
std::filesystem::path fs_path(std::string_view utf8);
std::string utf8(const std::filesystem::path& path);

void write_file(const std::string& path, std::string_view bytes);
// Sets a variable of this process's environment; an empty value removes it.
void set_environment(const std::string& name, const std::string& value);
std::string read_file(const std::string& path);

} // namespace lw::test
