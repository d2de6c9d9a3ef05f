#pragma once
#include <string_view>

namespace lw {

// Whether a folder or file name can be held by both Linux and Windows, so a
// PROJECTS or LANGUAGE folder copied from one to the other opens the same:
// not empty, not "." or "..", none of \ / < > : " | ? * nor a control
// character, no trailing dot or space, and no device name Windows reserves
// (CON, PRN, AUX, NUL, COM0..9, LPT0..9 and COM or LPT with a superscript
// 1, 2 or 3, in any case, with or without an extension).
bool is_portable_name(std::string_view name);

} // namespace lw
