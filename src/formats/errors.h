#pragma once
#include "formats/utf8.h"

#include <stdexcept>
#include <string>

namespace lw {

// Raised by readers and writers; the text is the parser's or the system's own
// message, prefixed with the file it concerns, ready to show in an error box.
// Names in it may come from a hostile folder, zip or sheet: they are shown
// printable, so the message stays one line wherever it is shown.
class FileError : public std::runtime_error {
public:
  explicit FileError(const std::string& what) : std::runtime_error(utf8::printable(what)) {}
};

} // namespace lw
