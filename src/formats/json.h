#pragma once
#include <string>
#include <string_view>

namespace lw {

// The text as the inside of a JSON string: quotes, backslashes and control
// characters escaped, everything else (UTF-8 included) as it is.
std::string json_escape(std::string_view s);

// The text as a whole JSON string, quotes around it. Bytes that are no UTF-8
// (a folder's name on Linux may hold any) become U+FFFD, since a reader
// would refuse the whole document for one of them.
std::string json_string(std::string_view text);

} // namespace lw
