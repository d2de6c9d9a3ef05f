#include "options/settings_file.h"

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
  std::string Settings::*field;
};
struct FlagSetting {
  const char* group;
  const char* element;
  bool Settings::*field;
};

// Group and element names in the order of writing.
const TextSetting kTextSettings[] = {
    {"lastproj", "projectname", &Settings::Last_Conf_Name},
    {"lastipadd", "ipaddress", &Settings::Last_IP_Address},
    {"lastlang", "language", &Settings::Language_Name},
};
const FlagSetting kFlagSettings[] = {
    {"lastinternet", "enable_internet", &Settings::Enable_Internet},
    {"lastinternet", "enable_update", &Settings::Enable_Update},
    {"lastinternet", "enable_jump_field_tables", &Settings::Enable_Jump_Fields},
    {"lastinternet", "Double_Click_Auto_Size", &Settings::Auto_Size_Columns},
};

std::optional<std::string> stored_value(pugi::xml_node root, const char* group, const char* element) {
  return xml::single_text(xml::child(xml::child(root, group), element));
}
} // namespace

SettingsReading read_settings_file(const std::string& path) {
  SettingsReading read;
  std::string bytes;
  try {
    bytes = fs::read_bytes(path, kMaxSettingsBytes);
  } catch (const FileError& e) {
    read.problem = e.what();
    return read;
  }
  pugi::xml_document doc;
  try {
    doc = xml::parse_bytes(bytes, path, kMaxSettingsBytes);
  } catch (const FileError& e) {
    read.problem = e.what(); // read with the defaults of a missing file
    return read;
  }
  // A comment or a processing instruction a hand edit put first does not
  // hide the settings.
  pugi::xml_node root = xml::first_element(doc);
  for (const auto& s : kTextSettings) {
    if (auto v = stored_value(root, s.group, s.element)) read.settings.*s.field = *v;
  }
  for (const auto& f : kFlagSettings) {
    auto v = stored_value(root, f.group, f.element);
    read.settings.*f.field = v && *v == "1";
  }
  return read;
}

SettingsFile settings_file(const std::string& app_dir) { return {fs::join(app_dir, kSettingsFile)}; }

std::string settings_xml(const Settings& settings) {
  pugi::xml_document doc;
  pugi::xml_node root = doc.append_child("Conf_Settings");
  pugi::xml_node group;
  auto group_for = [&](const char* name) {
    if (!group || std::string_view(group.name()) != name) group = root.append_child(name);
    return group;
  };
  for (const auto& s : kTextSettings)
    xml::append_text_element(group_for(s.group), s.element, settings.*s.field);
  for (const auto& f : kFlagSettings)
    xml::append_text_element(group_for(f.group), f.element, settings.*f.field ? "1" : "0");
  return xml::to_bytes(doc, kMaxSettingsBytes, std::string(kSettingsFile));
}

std::string set_aside_unusable_settings(SettingsFile& file, const std::string& reason) {
  std::string warning = reason + "\nThe program starts with the default settings";
  try {
    std::string aside = fs::move_aside(file.path);
    return warning + "; the unusable file is kept as " + aside + ".";
  } catch (const FileError& e) {
    file.Settings_Save_Blocked = true;
    return warning + ". " + e.what() +
           ", so it is left untouched and the settings will not be saved when the program closes.";
  }
}

void Save_Setting(const SettingsFile& file, const Settings& settings) {
  if (file.Settings_Save_Blocked) return;
  fs::atomic_save(file.path, settings_xml(settings));
}

} // namespace lw
