#include "options/settings_file.h"

#include "core/app_state.h"
#include "core/identity.h"
#include "core/limits.h"
#include "formats/errors.h"
#include "platform/files.h"
#include "platform/xml.h"

namespace lw {

namespace {
struct TextSetting {
  const char* group;
  const char* element;
  std::string AppState::*field;
  std::string_view fallback;
};
struct FlagSetting {
  const char* group;
  const char* element;
  bool AppState::*field;
};

// Group and element names in the order of writing.
const TextSetting kTextSettings[] = {
    {"lastproj", "projectname", &AppState::Conf_Name, ""},
    {"lastipadd", "ipaddress", &AppState::Last_IP_Address, kDefaultIpAddress},
    {"lastlang", "language", &AppState::Language_Name, kDefaultLanguage},
};
const FlagSetting kFlagSettings[] = {
    {"lastinternet", "enable_internet", &AppState::Enable_Internet},
    {"lastinternet", "enable_update", &AppState::Enable_Update},
    {"lastinternet", "enable_jump_field_tables", &AppState::Enable_Jump_Fields},
    {"lastinternet", "Double_Click_Auto_Size", &AppState::Auto_Size_Columns},
};

std::optional<std::string> stored_value(pugi::xml_node root, const char* group, const char* element) {
  return xml::single_text(xml::child(xml::child(root, group), element));
}
} // namespace

void apply_settings_defaults(AppState& state) {
  for (const auto& s : kTextSettings)
    state.*s.field = std::string(s.fallback);
  for (const auto& f : kFlagSettings)
    state.*f.field = false;
  state.Conf_Dir.clear();
}

std::optional<std::string> read_settings_file(const std::string& path, AppState& state) {
  apply_settings_defaults(state);
  std::string bytes;
  try {
    bytes = fs::read_bytes(path, kMaxSettingsBytes);
  } catch (const FileError& e) {
    return e.what();
  }
  pugi::xml_document doc;
  try {
    doc = xml::parse_bytes(bytes, path, kMaxSettingsBytes);
  } catch (const FileError& e) {
    return e.what(); // read with the defaults of a missing file
  }
  // A comment or a processing instruction a hand edit put first does not
  // hide the settings.
  pugi::xml_node root = xml::first_element(doc);
  for (const auto& s : kTextSettings) {
    if (auto v = stored_value(root, s.group, s.element)) state.*s.field = *v;
  }
  for (const auto& f : kFlagSettings) {
    auto v = stored_value(root, f.group, f.element);
    state.*f.field = v && *v == "1";
  }
  return std::nullopt;
}

std::string settings_xml(const AppState& state) {
  pugi::xml_document doc;
  pugi::xml_node root = doc.append_child("Conf_Settings");
  pugi::xml_node group;
  auto group_for = [&](const char* name) {
    if (!group || std::string_view(group.name()) != name) group = root.append_child(name);
    return group;
  };
  for (const auto& s : kTextSettings)
    xml::append_text_element(group_for(s.group), s.element, state.*s.field);
  for (const auto& f : kFlagSettings)
    xml::append_text_element(group_for(f.group), f.element, state.*f.field ? "1" : "0");
  return xml::to_bytes(doc, kMaxSettingsBytes, std::string(kSettingsFile));
}

std::string set_aside_unusable_settings(AppState& state, const std::string& path, const std::string& reason) {
  std::string warning = reason + "\nThe program starts with the default settings";
  try {
    std::string aside = fs::move_aside(path);
    return warning + "; the unusable file is kept as " + aside + ".";
  } catch (const FileError& e) {
    state.Settings_Save_Blocked = true;
    return warning + ". " + e.what() +
           ", so it is left untouched and the settings will not be saved when the program closes.";
  }
}

void Save_Setting(const AppState& state) {
  if (state.Settings_Save_Blocked) return;
  fs::atomic_save(fs::join(state.App_Dir, kSettingsFile), settings_xml(state));
}

} // namespace lw
