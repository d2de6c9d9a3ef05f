#pragma once
#include "formats/document.h"

#include <string>

namespace lw {

// Lays a document out as a PDF file's bytes, so the caller writes them as it
// writes every file: atomically. Throws FileError when it can't.
class PdfRenderer {
public:
  virtual ~PdfRenderer() = default;
  virtual std::string render(const doc::Document& document) = 0;
};

// Qt's own PDF writer: A4 portrait, paginated, the page header and page
// number on every page, a table's heading row repeated after each break.
// Built only where Qt is; a program without it has no PDF renderer.
class QtPdfRenderer final : public PdfRenderer {
public:
  std::string render(const doc::Document& document) override;
};

} // namespace lw
