#include "platform/appender.h"

#include "platform/files.h"

namespace lw {

void FileAppender::append_line(const std::string& path, std::string_view header, std::string_view line) {
  fs::append_text(path, header, line);
}

} // namespace lw
