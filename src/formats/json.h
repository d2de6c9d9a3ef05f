#pragma once
#include <string>
#include <string_view>

namespace lw {

// The text as the inside of a JSON string: quotes, backslashes and control
// characters (C0 and C1) escaped, valid UTF-8 as it is, and each byte that begins no
// UTF-8 character as U+FFFD, so the output is JSON whatever the text held.
std::string json_escape(std::string_view s);

} // namespace lw
