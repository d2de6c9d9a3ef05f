#include "update_args.h"

#include "platform/files.h"

#include <ostream>

namespace lw::cli {

std::optional<UpdateArgs> parse_update_args(const Args& args, Io& io, const char* command,
                                            bool takes_output) {
  UpdateArgs out;
  bool ip_given = false;
  auto usage = [&] {
    io.err << "loomwork-cli " << command << ": usage: " << command
           << " CONF_DIR --ip A.B.C.D [--option 0|1|2] [--no-read-back]" << (takes_output ? " [-o FILE]" : "")
           << "\n";
    return std::nullopt;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    bool has_value = i + 1 < args.size();
    if (a == "--ip" && has_value) {
      out.ip = args[++i];
      ip_given = true;
    } else if (a == "--option" && has_value) {
      const std::string& v = args[++i];
      if (v != "0" && v != "1" && v != "2") {
        io.err << "loomwork-cli " << command << ": --option takes 0, 1 or 2\n";
        return std::nullopt;
      }
      out.option = v[0] - '0';
    } else if (a == "--no-read-back") {
      out.read_back = false;
    } else if (a == "-o" && has_value && takes_output) {
      out.output = args[++i];
    } else if (!a.starts_with("-") && out.conf_dir.empty()) {
      out.conf_dir = a;
    } else {
      return usage();
    }
  }
  if (out.conf_dir.empty() || !ip_given) return usage();
  if (!fs::is_dir(out.conf_dir)) {
    io.err << "loomwork-cli " << command << ": " << out.conf_dir << " is not a folder\n";
    return std::nullopt;
  }
  out.conf_dir = absolute_folder(out.conf_dir);
  return out;
}

} // namespace lw::cli
