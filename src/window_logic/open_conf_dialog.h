#pragma once
#include <string>
#include <vector>

namespace lw {

struct ProgramFolders;
struct OpenConfiguration;

// The open-configuration dialog's model. Name_Conf survives between showings.
class OpenConfLogic {
public:
  // Lists PROJECTS and starts on the configuration open, when it is there.
  OpenConfLogic(const ProgramFolders& folders, const OpenConfiguration& conf)
      : folders_(folders), conf_(conf) {}

  // Rebuilds the list and chooses the entry to select (-1: none).
  int FormShow();
  void Load_Existing_Configuration();
  int Search_Open_Conf(const std::string& snc) const;
  void ListBox1Click(int index);
  // Rebuilds the list after a copy was made and chooses the copy (-1 when
  // it is not listed).
  int reload_choosing(const std::string& name);

  const std::vector<std::string>& SL() const { return SL_; }
  std::string Name_Conf;

private:
  const ProgramFolders& folders_;
  const OpenConfiguration& conf_;
  std::vector<std::string> SL_;
};

} // namespace lw
