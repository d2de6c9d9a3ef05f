#pragma once
#include <string>
#include <string_view>

namespace lw {

// The text as the inside of a JSON string: quotes, backslashes and control
// characters (C0 and C1) escaped, valid UTF-8 as it is, and each byte that begins no
// UTF-8 character as U+FFFD, so the output is JSON whatever the text held.
std::string json_escape(std::string_view s);

// The text as a whole JSON string, quotes around it. Bytes that are no UTF-8
// (a folder's name on Linux may hold any) become U+FFFD, since a reader
// would refuse the whole document for one of them.
std::string json_string(std::string_view text);

} // namespace lw
