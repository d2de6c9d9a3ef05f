#pragma once
#include <string>
#include <string_view>

namespace lw {

// Adds lines to a log file without rewriting it, so a test can fake it.
// Throws FileError with the system's text when the line can't be added.
class LineAppender {
public:
  virtual ~LineAppender() = default;
  // `header` goes first into a new or empty file; `line` ends with its line end.
  virtual void append_line(const std::string& path, std::string_view header, std::string_view line) = 0;
};

class FileAppender : public LineAppender {
public:
  void append_line(const std::string& path, std::string_view header, std::string_view line) override;
};

} // namespace lw
