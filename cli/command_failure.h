#pragma once
#include "formats/errors.h"

#include <stdexcept>
#include <utility>

namespace lw::cli {

// A FileError out of a command is a file it could not read: the companion
// prints its text and ends with kExitUnreadable. Raised inside `written`, it
// comes out as NotWritten instead and the command ends with kExitNotWritten,
// the text unchanged.
class NotWritten : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// What write returns; its FileError as NotWritten.
template <class Write> decltype(auto) written(Write&& write) {
  try {
    return std::forward<Write>(write)();
  } catch (const FileError& e) {
    throw NotWritten(e.what());
  }
}

} // namespace lw::cli
