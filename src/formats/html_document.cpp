#include "formats/html_document.h"

#include "formats/utf8.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace lw {

namespace {
constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// A4 on paper; on screen a page's width. The page header sits in the outer
// table's head, which browsers repeat at the top of every printed page, as
// they repeat each data table's heading row after a break.
constexpr std::string_view kStyle =
    "@page{size:A4 portrait;margin:15mm}"
    "body{font-family:'DejaVu Sans',Arial,sans-serif;font-size:10pt;color:#000;margin:0 auto;max-width:180mm}"
    "table{border-collapse:collapse;width:100%}"
    "table.page>thead td{border-bottom:1px solid #888;padding:0 0 2mm 0;font-size:9pt;color:#444}"
    "h1{font-size:16pt;margin:4mm 0}"
    "h2{font-size:12pt;margin:6mm 0 2mm 0}"
    "p{margin:1mm 0}"
    "table.data th,table.data td{border:1px solid #bbb;padding:1px 4px;text-align:left;vertical-align:top}"
    "table.data th{background:#eee}"
    "table.data td.right{text-align:right}"
    "table.pairs th,table.pairs td{padding:1px 4px;text-align:left;vertical-align:top}"
    "table.pairs th{font-weight:normal;color:#444;width:45%}"
    "thead{display:table-header-group}"
    "tr{page-break-inside:avoid;break-inside:avoid}"
    "td{overflow-wrap:anywhere}";

// The text with every character XML can't hold (a control character, U+FFFE,
// bytes that are no UTF-8) shown as the replacement character: a stray one
// is seen, not lost, and the file stays well-formed.
std::string xml_characters(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    std::size_t length = utf8::sequence_length(text.substr(at));
    std::size_t end = at;
    if (length > 0 && utf8::is_xml_char(utf8::next(text, end)))
      out.append(text.substr(at, length));
    else
      out += kReplacement;
    at += std::max<std::size_t>(length, 1);
  }
  return out;
}

// Text as a CSS string, with every character that means something to CSS
// or to the markup around the style escaped by its code.
std::string css_string(std::string_view text) {
  std::string out = "\"";
  for (char c : xml_characters(text)) {
    if (c == '"' || c == '\\' || c == '<' || c == '>' || c == '&' || static_cast<unsigned char>(c) < 0x20) {
      char code[8];
      std::snprintf(code, sizeof code, "\\%X ", static_cast<unsigned char>(c));
      out += code;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// The page number in the page's top right corner, where browsers that print
// page margins put it: "%1" the page, "%2" the pages in all.
std::string page_number_rule(const std::string& pattern) {
  std::string content;
  std::size_t from = 0;
  for (std::size_t at = pattern.find('%'); at != std::string::npos; at = pattern.find('%', at + 1)) {
    if (at + 1 >= pattern.size() || (pattern[at + 1] != '1' && pattern[at + 1] != '2')) continue;
    content += css_string(pattern.substr(from, at - from)) +
               (pattern[at + 1] == '1' ? " counter(page) " : " counter(pages) ");
    from = at + 2;
    ++at;
  }
  content += css_string(pattern.substr(from));
  return "@page{@top-right{content:" + content + ";font-size:8pt;color:#444}}";
}

void append_cell(std::string& out, const char* tag, const std::string& text, bool right) {
  out += '<';
  out += tag;
  if (right) out += " class=\"right\"";
  out += '>';
  out += html_escape(text);
  out += "</";
  out += tag;
  out += '>';
}

void append_table(std::string& out, const doc::Table& table) {
  if (table.rows.empty() && table.columns.empty()) return;
  bool pairs = table.columns.empty() || !table.heading_row;
  out += pairs ? "<table class=\"pairs\">" : "<table class=\"data\">";
  if (!table.columns.empty()) {
    int total = std::accumulate(table.columns.begin(), table.columns.end(), 0,
                                [](int sum, const doc::Column& c) { return sum + c.weight; });
    out += "<colgroup>";
    for (const doc::Column& c : table.columns)
      out += "<col style=\"width:" + std::to_string(total > 0 ? 100 * c.weight / total : 0) + "%\"/>";
    out += "</colgroup>";
  }
  if (!pairs) {
    out += "<thead><tr>";
    for (const doc::Column& c : table.columns)
      append_cell(out, "th", c.title, c.align == doc::Align::Right);
    out += "</tr></thead>";
  }
  out += "<tbody>";
  for (const auto& row : table.rows) {
    out += "<tr>";
    for (std::size_t i = 0; i < row.size(); ++i) {
      bool right = i < table.columns.size() && table.columns[i].align == doc::Align::Right;
      append_cell(out, pairs && i == 0 ? "th" : "td", row[i], right);
    }
    out += "</tr>";
  }
  out += "</tbody></table>";
}
} // namespace

std::string html_escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : xml_characters(text)) {
    switch (c) {
    case '&': out += "&amp;"; break;
    case '<': out += "&lt;"; break;
    case '>': out += "&gt;"; break;
    case '"': out += "&quot;"; break;
    case '\'': out += "&#39;"; break;
    default: out += c;
    }
  }
  return out;
}

std::string html_document(const doc::Document& document) {
  std::string out = "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\"";
  if (!document.language.empty()) out += " lang=\"" + html_escape(document.language) + "\"";
  out += ">\n<head><meta charset=\"utf-8\"/><title>" + html_escape(document.title) + "</title><style>";
  out += kStyle;
  out += page_number_rule(document.page_number);
  out += "</style></head>\n<body><table class=\"page\"><thead><tr><td>" + html_escape(document.page_header) +
         "</td></tr></thead><tbody><tr><td>\n";
  out += "<h1>" + html_escape(document.title) + "</h1>\n";
  for (const doc::Section& section : document.sections) {
    out += "<h2>" + html_escape(section.heading) + "</h2>\n";
    for (const std::string& line : section.lines)
      out += "<p>" + html_escape(line) + "</p>\n";
    append_table(out, section.table);
    out += "\n";
  }
  out += "</td></tr></tbody></table></body>\n</html>\n";
  return out;
}

} // namespace lw
