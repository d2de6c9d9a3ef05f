#pragma once
#include <string>
#include <vector>

namespace lw::doc {

// A printable document as plain data, so one description gives both the
// HTML and the PDF, and tests can read what a sheet says without rendering.
enum class Align { Left, Right };

struct Column {
  std::string title;
  int weight = 1; // share of the line's width
  Align align = Align::Left;
};

// A table of text cells. Without titled columns it prints as label and
// value lines, with no heading row.
struct Table {
  std::vector<Column> columns;
  bool heading_row = true;
  std::vector<std::vector<std::string>> rows;
};

struct Section {
  std::string heading;
  std::vector<std::string> lines; // paragraphs before the table
  Table table;
};

struct Document {
  std::string title;       // once, on the first page
  std::string page_header; // on top of every page
  // The page number's text, "%1" the page and "%2" the pages in all.
  std::string page_number = "%1 / %2";
  std::string language; // a BCP 47 tag such as "de", or empty
  std::vector<Section> sections;
};

} // namespace lw::doc
