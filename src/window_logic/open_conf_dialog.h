#pragma once
#include <string>
#include <vector>

namespace lw {

struct AppState;

// The open-configuration dialog's model. Name_Conf survives between showings.
class OpenConfLogic {
public:
  explicit OpenConfLogic(AppState& state) : state_(state) {}

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
  AppState& state_;
  std::vector<std::string> SL_;
};

} // namespace lw
