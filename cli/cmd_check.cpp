#include "cli.h"
#include "core/identity.h"
#include "core/text_table.h"
#include "formats/errors.h"
#include "formats/utf8.h"
#include "params/par_gen.h"
#include "params/stored_checks.h"
#include "platform/files.h"
#include "projects/configuration_folder.h"
#include "site/site_checks.h"
#include "site/stored_site.h"

#include <ostream>

namespace lw::cli {

namespace {
// The two editors' tests on the stored files, as opening each editor and
// pressing OK would run them: the verdict after `prefix`, and check's exit
// status for it.
int print_verdict(const std::string& dir, const std::string& prefix, const TextTable& texts, Io& io) {
  try {
    auto failure = stored_files_failure(fs::join(dir, kParGenFile), fs::join(dir, kDmxDefaultFile), texts);
    io.out << prefix << (failure ? *failure : "OK") << "\n";
    return failure ? kExitTestFailed : kExitOk;
  } catch (const FileError& e) {
    io.err << e.what() << "\n";
    return kExitUnreadable;
  }
}

// The configurations a configuration shares its site with: those of the
// PROJECTS folder holding it. A folder elsewhere stands alone, since its
// neighbours need not be configurations at all.
std::vector<SiteUnit> site_of(const std::string& conf_dir) {
  std::string parent = fs::parent_folder(conf_dir);
  if (fs::file_name(parent) != kProjectsFolder) return {};
  return stored_site(parent);
}
} // namespace

// The verdict, then the addressing notes of the configuration.
int cmd_check(const Parsed& args, Io& io) {
  const std::string& dir = args.positionals[0];
  TextTable texts = english_texts();
  int status = print_verdict(dir, "", texts, io);
  // A ParGen.xml that can't be read tells no address.
  if (status == kExitUnreadable) return status;
  std::string conf_dir = absolute_folder(dir);
  try {
    print_notes(
        notes_for(fs::file_name(conf_dir), Load_Par_Gen(fs::join(dir, kParGenFile)), site_of(conf_dir)),
        texts, io);
  } catch (const FileError& e) {
    // Changed since the verdict; the verdict stands.
    io.err << e.what() << "\n";
  }
  return status;
}

// Every configuration's verdict by name, then the site's notes. The status
// is check's for the worst of them; a folder that is no configuration is
// named with why it was skipped and counts for nothing.
int cmd_check_site(const Parsed& args, Io& io) {
  const std::string& dir = args.positionals[0];
  TextTable texts = english_texts();
  bool failed = false, unreadable = false;
  for (const SiteEntry& entry : site_entries(dir)) {
    const std::string& name = entry.name;
    if (entry.not_configuration) {
      io.out << utf8::printable(name) << ": skipped: " << *entry.not_configuration << "\n";
      continue;
    }
    int status = print_verdict(fs::join(dir, name), utf8::printable(name) + ": ", texts, io);
    failed |= status == kExitTestFailed;
    unreadable |= status == kExitUnreadable;
  }
  print_notes(site_notes(stored_site(dir)), texts, io);
  return unreadable ? kExitUnreadable : failed ? kExitTestFailed : kExitOk;
}

} // namespace lw::cli
