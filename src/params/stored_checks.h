#pragma once
#include "core/text_table.h"

#include <optional>
#include <string>

namespace lw {

// Both editors' tests on a configuration's stored files, as opening each
// editor and pressing OK would run them: the first failing message, in the
// language of texts, or nullopt. Throws FileError when a file can't be read.
std::optional<std::string> stored_files_failure(const std::string& par_gen_path, const std::string& dmx_path,
                                                const TextTable& texts);

} // namespace lw
