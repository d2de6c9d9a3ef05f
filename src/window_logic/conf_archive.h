#pragma once
#include "projects/configuration_archive.h"

#include <optional>
#include <string>

namespace lw {

struct ProgramFolders;
struct Catalogue;
class FilePicker;
class UserMessages;

// The open dialog's Export and Import: a configuration to one zip and back,
// the files chosen through the file dialogs.
class ConfArchiveLogic {
public:
  enum class Import { Cancelled, Refused, Made, NeedsName };

  ConfArchiveLogic(const ProgramFolders& folders, const Catalogue& catalogue, UserMessages& messages,
                   FilePicker& files)
      : folders_(folders), catalogue_(catalogue), messages_(messages), files_(files) {}

  // Asks where the zip of the configuration `name` goes and writes it. True
  // when written; otherwise cancelled, or one message said why not.
  bool Btn_ExportClick(const std::string& name);
  // Asks for a zip and reads it whole. A configuration whose name is free is
  // made at once (Made); one whose name is taken or refused waits for
  // make_as under another (NeedsName); a zip refused, or a configuration that
  // can't be written, was told in one message (Refused).
  Import Btn_ImportClick();
  // Makes the configuration read last under `name`: the name's refusal, or
  // nullopt once made. Throws FileError when it can't be written.
  std::optional<NameRefusal> make_as(const std::string& name);
  // The name read from the zip, then the one it was made under.
  const std::string& name() const { return archived_.name; }

private:
  const ProgramFolders& folders_;
  const Catalogue& catalogue_;
  UserMessages& messages_;
  FilePicker& files_;
  ArchivedConfiguration archived_;
};

} // namespace lw
