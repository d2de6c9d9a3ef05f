#pragma once
#include <string>
#include <string_view>

namespace lw {

// The text as the inside of a JSON string: quotes, backslashes and control
// characters escaped, everything else (UTF-8 included) as it is.
std::string json_escape(std::string_view s);

} // namespace lw
