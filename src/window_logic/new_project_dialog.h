#pragma once
#include <string>

namespace lw {

struct ProgramFolders;
struct OpenConfiguration;
struct Catalogue;
class UserMessages;
class FilePicker;

// The new-configuration dialog's decisions.
class NewProjectLogic {
public:
  // A configuration made is opened: it becomes `conf`.
  NewProjectLogic(const ProgramFolders& folders, OpenConfiguration& conf, const Catalogue& catalogue,
                  UserMessages& messages)
      : folders_(folders), conf_(conf), catalogue_(catalogue), messages_(messages) {}

  // Validates the name exactly as typed and creates the configuration with its
  // bin folder. True when the dialog closes with OK; otherwise one message was
  // shown and the dialog stays open.
  bool Btn_OKClick(const std::string& name);

  // The configuration `name` made whole from a parameter image the user
  // picks, which its files must compile back to byte for byte. The name is
  // looked at before the file dialog opens. True when it was made and
  // opened, after a warning that its mnemonics are empty; false after one
  // error message, or when the user cancelled the file dialog.
  bool Btn_FromImageClick(const std::string& name, FilePicker& files);

private:
  void open(const std::string& name);

  const ProgramFolders& folders_;
  OpenConfiguration& conf_;
  const Catalogue& catalogue_;
  UserMessages& messages_;
};

} // namespace lw
