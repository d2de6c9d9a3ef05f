#pragma once
#include <string_view>

namespace lw {

// A configuration name must name a folder directly inside PROJECTS: one with
// a path separator, or "." or "..", would reach somewhere else.
bool stays_in_projects(std::string_view name);

} // namespace lw
