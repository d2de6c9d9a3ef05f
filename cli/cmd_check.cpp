#include "cli.h"
#include "core/identity.h"
#include "core/text_table.h"
#include "params/stored_checks.h"
#include "platform/errors.h"
#include "platform/files.h"

#include <ostream>

namespace lw::cli {

// The two editors' tests on the stored files, as opening each editor and
// pressing OK would run them.
int cmd_check(const Parsed& args, Io& io) {
  const std::string& dir = args.positionals[0];
  if (!is_folder(dir, args, io)) return kExitUsage;
  TextTable texts;
  texts.Fill_English_Texts();
  try {
    if (auto failure =
            stored_files_failure(fs::join(dir, kParGenFile), fs::join(dir, kDmxDefaultFile), texts)) {
      io.out << *failure << "\n";
      return kExitTestFailed;
    }
  } catch (const FileError& e) {
    io.err << e.what() << "\n";
    return kExitUnreadable;
  }
  io.out << "OK\n";
  return kExitOk;
}

} // namespace lw::cli
