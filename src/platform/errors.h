#pragma once
#include <stdexcept>
#include <string>

namespace lw {

// Raised by readers and writers; the text is the parser's or the system's own
// message, prefixed with the file it concerns, ready to show in an error box.
class FileError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

} // namespace lw
