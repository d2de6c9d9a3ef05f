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

void write_file(const std::string& path, std::string_view bytes);
// Sets a variable of this process's environment; an empty value removes it.
void set_environment(const std::string& name, const std::string& value);
std::string read_file(const std::string& path);

} // namespace lw::test
