#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace lw {

// Where a write of a path the user gives may land: every -o of the companion
// and every save dialog goes through here. A name the configurator keeps for
// a configuration's or the program's own files (its XML files, images,
// update log, settings, descriptor, the programs themselves), an image sent
// (bin/sent), a language file or the firmware is refused wherever it is and
// wherever a link on the way points, so a slip of the file dialog or of -o
// can't turn a configuration into a spreadsheet nor falsify what was sent.
// The refusal names the path, or nullopt when the path may be written.
std::optional<std::string> output_refusal(const std::string& path);

// Saves bytes at a path the user gave, atomically, once output_refusal lets
// it; throws FileError with the refusal or the system's text.
void save_output(const std::string& path, std::string_view bytes);

} // namespace lw
