#include "window_logic/main_window.h"

#include "core/catalogue.h"
#include "core/identity.h"
#include "core/open_configuration.h"
#include "core/program_folders.h"
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

void MainWindowLogic::FormCreate() {
  Started started = Run_Startup(folders_, timer_);
  settings_ = std::move(started.settings);
  settings_file_ = std::move(started.settings_file);
  conf_ = std::move(started.conf);
  catalogue_ = std::move(started.catalogue);
  startup_problems_ = std::move(started.problems);
  show_labels();
}

void MainWindowLogic::Show_Startup_Problems() {
  std::vector<std::string> problems = std::move(startup_problems_);
  startup_problems_.clear();
  for (const auto& problem : problems)
    messages_.warning(problem);
}

void MainWindowLogic::FormClose() { save_settings(); }

void MainWindowLogic::save_settings() {
  Settings stored = settings_;
  // The configuration open now is the one the next start opens.
  stored.Last_Conf_Name = conf_.Conf_Name;
  try {
    Save_Setting(settings_file_, stored);
  } catch (const FileError& e) {
    messages_.error(e.what());
  }
}

void MainWindowLogic::show_labels() {
  if (conf_.configuration_open()) {
    label_conf_ = catalogue_.text(text_id::kConfigurationOpened);
    label_conf_l2_ = conf_.Conf_Name;
  } else {
    label_conf_ = catalogue_.text(text_id::kNoConfigurationOpen);
    label_conf_l2_ = catalogue_.text(text_id::kNoConfigurationHint);
  }
  if (view_) view_->show_config_labels(label_conf_, label_conf_l2_);
}

void MainWindowLogic::Create_New_Project() {
  if (view_->show_new_project()) show_labels();
}

void MainWindowLogic::Open_Project() {
  auto chosen = view_->show_open_conf();
  if (!chosen) return;
  // The folder's existence is not tested again; only a name that would lead
  // out of PROJECTS is kept closed.
  const std::string& name = *chosen;
  bool inside = !name.empty() && stays_in_projects(name);
  conf_ = configuration_at(name, inside ? fs::join(folders_.Projects_Dir, name) : std::string());
  show_labels();
}

void MainWindowLogic::Update_Device() {
  if (auto failed =
          Write_Image({conf_.File_ParGen, conf_.File_DMX_Default, conf_.Conf_Dir}, catalogue_.Text_Table)) {
    Show_Outcome(messages_, catalogue_, *failed);
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
    view_->show_update_link(newer, catalogue_.text(text_id::kNewVersionLink),
                            download_page_url(kVendorServer));
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
      save_settings();
      apply_timer_rule(settings_, timer_);
    }
    return;
  default: break;
  }
  if (!conf_.configuration_open()) {
    messages_.error(catalogue_.text(text_id::kMsgProjectNotValid));
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
