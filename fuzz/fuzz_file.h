#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

// The readers take paths: each input goes through a real file, as in use.
inline std::string fuzz_file(const char* name, const std::uint8_t* data, std::size_t size) {
  static const std::string dir = [] {
    std::string d = "/tmp/loomwork-fuzz-" + std::to_string(::getpid());
    ::mkdir(d.c_str(), 0700);
    return d;
  }();
  std::string path = dir + "/" + name;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  return path;
}
