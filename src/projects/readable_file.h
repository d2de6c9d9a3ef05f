#pragma once
#include "projects/configuration_copy.h"

#include <optional>
#include <string>

namespace lw {

// Whether the program can read a file of a configuration back, by the place
// it has there: each XML file parses within its reader's limits, each image
// (bin/bank.bin, bin/last-sent.bin, bin/sent/...) has the image's size and a
// sound checksum, and the update log is within its size. Why it can't, or
// nullopt.
std::optional<std::string> unreadable_reason(const ConfigurationFile& file);

} // namespace lw
