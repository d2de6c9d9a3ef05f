#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace lw::cli {

struct Io {
  std::ostream& out;
  std::ostream& err;
  std::string exe_dir;
};

using Args = std::vector<std::string>;

// Exit statuses shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitUnusableAddress = 2;
inline constexpr int kExitDeviceNotFound = 3;

int run(const Args& args, Io& io);
int cmd_texts(const Args& args, Io& io);
int cmd_check(const Args& args, Io& io);
int cmd_compile(const Args& args, Io& io);
int cmd_inspect(const Args& args, Io& io);
int cmd_descriptor(const Args& args, Io& io);
int cmd_update(const Args& args, Io& io);
int cmd_check_update(const Args& args, Io& io);
std::string absolute_folder(const std::string& dir);

} // namespace lw::cli
