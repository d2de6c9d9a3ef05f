#include "window_logic/open_conf_dialog.h"

#include "core/open_configuration.h"
#include "core/program_folders.h"
#include "formats/utf8.h"
#include "platform/files.h"
#include "projects/project_name.h"

#include <algorithm>

namespace lw {

void OpenConfLogic::Load_Existing_Configuration() {
  SL_.clear();
  // A hidden folder is no configuration to open: one half-built aside, say.
  for (const auto& entry : fs::list_dir(folders_.Projects_Dir)) {
    if (entry.is_dir && !is_hidden_name(entry.name)) SL_.push_back(entry.name);
  }
}

int OpenConfLogic::Search_Open_Conf(const std::string& snc) const {
  for (std::size_t i = 0; i < SL_.size(); ++i) {
    if (utf8::same_ignoring_ascii_case(SL_[i], snc)) return static_cast<int>(i);
  }
  return -1;
}

void OpenConfLogic::ListBox1Click(int index) {
  if (index >= 0 && static_cast<std::size_t>(index) < SL_.size())
    Name_Conf = SL_[static_cast<std::size_t>(index)];
}

int OpenConfLogic::FormShow() {
  SL_.clear();
  Load_Existing_Configuration();
  std::string current;
  std::string prefix = folders_.Projects_Dir + fs::kSeparator;
  if (conf_.Conf_Dir.size() > prefix.size() && conf_.Conf_Dir.starts_with(prefix))
    current = conf_.Conf_Dir.substr(prefix.size());
  int index = Search_Open_Conf(current);
  if (index == -1) {
    if (SL_.empty()) {
      // The name of the last showing is no choice: OK must open nothing.
      Name_Conf.clear();
      return -1;
    }
    index = 0;
  }
  ListBox1Click(index);
  return index;
}

int OpenConfLogic::reload_choosing(const std::string& name) {
  Load_Existing_Configuration();
  // Exactly the copy's name: on a case-sensitive disk "LINE 3" may stand
  // beside "Line 3".
  auto found = std::find(SL_.begin(), SL_.end(), name);
  if (found == SL_.end()) return -1;
  int index = static_cast<int>(found - SL_.begin());
  ListBox1Click(index);
  return index;
}

} // namespace lw
