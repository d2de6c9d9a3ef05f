#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lw {

// A configuration name must name a folder directly inside PROJECTS: one with
// a path separator, or "." or "..", would reach somewhere else.
bool stays_in_projects(std::string_view name);

// A name beginning with a dot is hidden: the program's own folders aside
// and a system's or a tool's own folders. No listing of configurations shows
// one, and no new configuration takes one.
bool is_hidden_name(std::string_view name);

// The longest name, in UTF-8 bytes, that Linux's file systems hold (Windows
// holds 255 UTF-16 units, never fewer).
inline constexpr std::size_t kMaxNameBytes = 255;

// Why a new configuration can't take a name, in the order the
// new-configuration dialog tests them: no name, a folder of that name
// already, a name the file system refuses as a folder.
enum class NameRefusal { Empty, FolderExists, NotValid };

// The refusal of the name's text alone, before anything on disk is looked at.
std::optional<NameRefusal> name_rules_refusal(const std::string& name);

// The refusal known before anything is made; making the folder may still
// refuse the name (NotValid). A name held by something other than a folder
// (a file, a link to nothing) is NotValid.
std::optional<NameRefusal> new_name_refusal(const std::string& projects_dir, const std::string& name);

// The catalogue index of the refusal's message.
int refusal_message(NameRefusal refusal);

} // namespace lw
