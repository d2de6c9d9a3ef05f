#pragma once
#include <optional>
#include <string>

namespace lw {

// Sheets and other exports are written where the user says. A name the
// configurator keeps for a configuration's or the program's own files (its
// XML files, images, update log, the images sent, the programs themselves)
// is refused wherever it points, so a slip of the file dialog or of -o can't
// turn a configuration into a spreadsheet. The refusal names the path, or
// nullopt when the path may be written.
std::optional<std::string> own_file_refusal(const std::string& path);

} // namespace lw
