#pragma once
#include <string>
#include <string_view>

namespace lw {

// The SHA-256 digest of the bytes as 64 lowercase hex digits: the hash an
// engineer can check with any sha256sum.
std::string sha256_hex(std::string_view bytes);

} // namespace lw
