#pragma once
#include "site/site_batch.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace lw {

struct ProgramFolders;
struct OpenConfiguration;
struct Catalogue;
class FilePicker;
class UserMessages;

// One line of the plan's table, as the dialog shows it.
struct SheetPlanRow {
  int row; // the sheet's row, the header being row 1
  std::string name, ip, mask, gateway, modbus_id, channels;
  std::string status; // new, replaces, or the problem's reason
  bool problem;
  bool operator==(const SheetPlanRow&) const = default;
};

// What the dialog shows of the plan before anything is written.
struct SheetPlanView {
  std::vector<SheetPlanRow> rows; // the refused rows first, then the units, each in sheet order
  std::vector<std::string> notes; // the addressing notes the units bring to the site
  std::string summary;            // how the plan stands, or why there is none
  bool ready = false;             // Create may write it
};

// The decisions of the dialog that makes configurations from a site sheet:
// a template of the PROJECTS folder, a sheet file, the whole plan shown and
// only a ready plan written.
class SheetConfLogic {
public:
  // (units written, units in all); false stops the writing there.
  using Progress = std::function<bool(std::size_t, std::size_t)>;

  SheetConfLogic(const ProgramFolders& folders, const OpenConfiguration& conf, const Catalogue& catalogue,
                 UserMessages& messages, FilePicker& files)
      : folders_(folders), conf_(conf), catalogue_(catalogue), messages_(messages), files_(files) {}

  // Lists the templates and returns the one to choose first: the open
  // configuration when it is one of them, else the first (-1: none).
  int FormShow();
  const std::vector<std::string>& templates() const { return templates_; }
  // The sheet the user picks, starting from `current`; empty when cancelled.
  std::string Btn_BrowseClick(const std::string& current);
  // Plans the sheet over the template afresh; nothing is written.
  const SheetPlanView& rebuild(const std::string& template_name, const std::string& sheet_path, bool replace);
  // Writes a ready plan, calling `progress` after each unit. True when all
  // were made (the summary says how many); otherwise one message says what
  // stopped it and which were made, and the plan is made again over what
  // now stands. A plan that is not ready writes nothing and says so.
  bool Btn_CreateClick(const Progress& progress);
  const SheetPlanView& view() const { return view_; }

private:
  void show_plan(const BatchPlan& plan);
  void no_plan(std::string why);

  const ProgramFolders& folders_;
  const OpenConfiguration& conf_;
  const Catalogue& catalogue_;
  UserMessages& messages_;
  FilePicker& files_;
  std::vector<std::string> templates_;
  std::string template_name_, sheet_path_;
  bool replace_ = false;
  BatchPlan plan_;
  SheetPlanView view_;
};

} // namespace lw
