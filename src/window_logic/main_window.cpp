#include "window_logic/main_window.h"

#include "core/app_state.h"
#include "core/identity.h"
#include "core/text_ids.h"
#include "formats/errors.h"
#include "options/settings_file.h"
#include "options/version_check.h"
#include "platform/files.h"
#include "platform/url_opener.h"
#include "projects/project_name.h"
#include "update/sequence.h"
#include "window_logic/startup.h"
#include "window_logic/update_messages.h"

namespace lw {

void MainWindowLogic::FormCreate(const std::string& exe_dir) {
  startup_problems_ = Run_Startup(state_, exe_dir, timer_);
  show_labels();
}

void MainWindowLogic::Show_Startup_Problems() {
  std::vector<std::string> problems = std::move(startup_problems_);
  startup_problems_.clear();
  for (const auto& problem : problems)
    messages_.warning(problem);
}

void MainWindowLogic::FormClose() {
  try {
    Save_Setting(state_);
  } catch (const FileError& e) {
    messages_.error(e.what());
  }
}

void MainWindowLogic::show_labels() {
  if (state_.configuration_open()) {
    label_conf_ = state_.text(text_id::kConfigurationOpened);
    label_conf_l2_ = state_.Conf_Name;
  } else {
    label_conf_ = state_.text(text_id::kNoConfigurationOpen);
    label_conf_l2_ = state_.text(text_id::kNoConfigurationHint);
  }
  if (view_) view_->show_config_labels(label_conf_, label_conf_l2_);
}

void MainWindowLogic::Create_New_Project() {
  if (view_->show_new_project()) show_labels();
}

void MainWindowLogic::Open_Project() {
  auto chosen = view_->show_open_conf();
  if (!chosen) return;
  state_.Conf_Name = *chosen;
  // The folder's existence is not tested again; only a name that would lead
  // out of PROJECTS is kept closed.
  if (!state_.Conf_Name.empty() && stays_in_projects(state_.Conf_Name))
    state_.Conf_Dir = fs::join(state_.Projects_Dir, state_.Conf_Name);
  else
    state_.Conf_Dir.clear();
  show_labels();
  Set_Files(state_);
}

void MainWindowLogic::Update_Device() {
  if (auto failed =
          Write_Image({state_.File_ParGen, state_.File_DMX_Default, state_.Conf_Dir}, state_.Text_Table)) {
    Show_Outcome(messages_, state_, *failed);
    return;
  }
  view_->show_boot();
}

void MainWindowLogic::L_QuorvexClick() { urls_.open(std::string(kHomePageUrl)); }

void MainWindowLogic::LL_UpdateLinkClick(const std::string& link) { urls_.open(link); }

void MainWindowLogic::Timer_UpdateTimer() {
  constexpr int kCheckIntervalMs = 2 * 60 * 60 * 1000;
  timer_.stop();
  bool newer = Check_Version(http_, server_);
  if (view_)
    view_->show_update_link(newer, state_.text(text_id::kNewVersionLink), download_page_url(kVendorServer));
  timer_.set_interval_ms(kCheckIntervalMs);
  timer_.start();
}

void MainWindowLogic::Btn_Click(MainButton button) {
  switch (button) {
  case MainButton::New: Create_New_Project(); return;
  case MainButton::Open: Open_Project(); return;
  case MainButton::Sheet: view_->show_sheet_conf(); return;
  case MainButton::Close: view_->close_main(); return;
  case MainButton::Info: view_->show_about(); return;
  case MainButton::Options:
    if (view_->show_options()) {
      try {
        Save_Setting(state_);
      } catch (const FileError& e) {
        messages_.error(e.what());
      }
      apply_timer_rule(state_, timer_);
    }
    return;
  default: break;
  }
  if (!state_.configuration_open()) {
    messages_.error(state_.text(text_id::kMsgProjectNotValid));
    return;
  }
  switch (button) {
  case MainButton::ParGen: view_->show_par_gen(); return;
  case MainButton::DmxDefault: view_->show_dmx_defaults(); return;
  case MainButton::CreateBin: Update_Device(); return;
  case MainButton::Report: view_->save_commissioning_sheet(); return;
  default: return;
  }
}

} // namespace lw
