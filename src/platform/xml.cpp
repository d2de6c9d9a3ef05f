#include "platform/xml.h"

#include "platform/errors.h"
#include "platform/files.h"

#include <algorithm>

namespace lw::xml {

namespace {
constexpr unsigned kParseOptions =
    pugi::parse_default | pugi::parse_comments | pugi::parse_pi | pugi::parse_ws_pcdata_single;

std::string position_text(std::string_view bytes, std::ptrdiff_t offset) {
  if (offset < 0 || static_cast<std::size_t>(offset) > bytes.size())
    return "offset " + std::to_string(offset);
  auto before = bytes.substr(0, static_cast<std::size_t>(offset));
  auto line = std::count(before.begin(), before.end(), '\n') + 1;
  auto last_nl = before.rfind('\n');
  auto column = static_cast<std::size_t>(offset) - (last_nl == std::string_view::npos ? 0 : last_nl + 1) + 1;
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}
} // namespace

pugi::xml_document parse_bytes(std::string_view bytes, const std::string& name) {
  // Every '<' may start a node, every '>' end one before a text node, and
  // every '=' give an attribute, each dozens of bytes in the tree: bounding
  // them bounds the memory and time of a parse whatever the file holds,
  // before any of it is built.
  std::size_t markup = 0;
  for (char c : bytes)
    markup += (c == '<') + (c == '>') + (c == '=');
  if (markup > kMaxMarkup)
    throw FileError("Cannot read " + name + ": it holds more than " + std::to_string(kMaxMarkup) +
                    " pieces of markup (<, > and =), more than any file of the program has");
  pugi::xml_document doc;
  pugi::xml_parse_result res =
      doc.load_buffer(bytes.data(), bytes.size(), kParseOptions, pugi::encoding_auto);
  if (!res) {
    throw FileError("Cannot parse " + name + ": " + res.description() + " at " +
                    position_text(bytes, res.offset));
  }
  return doc;
}

pugi::xml_document parse_file(const std::string& path, std::size_t max_bytes) {
  std::string bytes = fs::read_bytes(path, max_bytes);
  return parse_bytes(bytes, path);
}

pugi::xml_node root(const pugi::xml_document& doc) { return doc.first_child(); }

pugi::xml_node first_element(const pugi::xml_document& doc) {
  for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling())
    if (n.type() == pugi::node_element) return n;
  return {};
}

pugi::xml_node child(pugi::xml_node parent, const char* name) {
  for (pugi::xml_node n = parent.first_child(); n; n = n.next_sibling()) {
    if (n.type() == pugi::node_element && std::string_view(n.name()) == name) return n;
  }
  return {};
}

std::optional<std::string> single_text(pugi::xml_node element) {
  if (!element || element.type() != pugi::node_element) return std::nullopt;
  pugi::xml_node first = element.first_child();
  if (!first) return std::string();
  if (first.next_sibling()) return std::nullopt;
  if (first.type() != pugi::node_pcdata && first.type() != pugi::node_cdata) return std::nullopt;
  return std::string(first.value());
}

pugi::xml_node append_text_element(pugi::xml_node parent, const char* name, std::string_view text) {
  pugi::xml_node el = parent.append_child(name);
  if (!text.empty()) el.append_child(pugi::node_pcdata).set_value(std::string(text).c_str());
  return el;
}

std::string to_bytes(const pugi::xml_document& doc) {
  struct Writer : pugi::xml_writer {
    std::string out;
    void write(const void* data, size_t size) override { out.append(static_cast<const char*>(data), size); }
  } writer;
  doc.save(writer, "  ", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
  // A carriage return written as itself comes back as a line feed (XML's
  // end-of-line rule); as a reference it comes back unchanged. The writer
  // puts CR nowhere else: attributes are already escaped, and no document
  // here holds CR in a comment or CDATA.
  std::string out;
  out.reserve(writer.out.size());
  for (char c : writer.out) {
    if (c == '\r')
      out += "&#13;";
    else
      out += c;
  }
  return out;
}

} // namespace lw::xml
