#include "platform/xml.h"

#include "formats/errors.h"
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

// What the parser would make of a document, counted before it is built.
struct Markup {
  std::size_t count = 0;
  bool document_type = false;
};

Markup scan(std::string_view bytes) {
  constexpr auto npos = std::string_view::npos;
  std::size_t markup = 0, at = 0;
  // UTF-16 and UTF-32, which the parser converts before it parses, hold a
  // NUL beside each ASCII character: there every '<', '>' and '=' counts,
  // which is never less than what the parser builds.
  if (bytes.find('\0') != npos) {
    for (char c : bytes)
      markup += (c == '<') + (c == '>') + (c == '=');
    return {markup};
  }
  // A comment, an instruction or a CDATA section is one node whatever it
  // holds: it ends where the parser ends it, at the first closing mark.
  auto skip_to = [&](std::string_view end, std::size_t from) {
    std::size_t found = bytes.find(end, from);
    at = found == npos ? bytes.size() : found + end.size();
    markup += found != npos;
  };
  while ((at = bytes.find('<', at)) != npos) {
    ++markup;
    std::string_view rest = bytes.substr(at);
    if (rest.starts_with("<!--")) {
      skip_to("-->", at + 4);
    } else if (rest.starts_with("<![CDATA[")) {
      skip_to("]]>", at + 9);
    } else if (rest.starts_with("<?")) {
      skip_to("?>", at + 2);
    } else if (rest.starts_with("<!DOCTYPE")) {
      return {markup, true};
    } else {
      // A tag: each '=' outside a quoted value gives an attribute. A quote
      // the parser takes for no value's is an error where it stands, so
      // nothing it skips here is ever parsed.
      for (++at; at < bytes.size() && bytes[at] != '>' && bytes[at] != '<'; ++at) {
        char c = bytes[at];
        if (c == '"' || c == '\'') {
          std::size_t close = bytes.find(c, at + 1);
          if (close == npos) return {markup};
          at = close;
        }
        markup += c == '=';
      }
      if (at < bytes.size() && bytes[at] == '>') {
        ++markup;
        ++at;
      }
    }
  }
  return {markup};
}
} // namespace

std::size_t markup_count(std::string_view bytes) { return scan(bytes).count; }

std::optional<std::string> unreadable_reason(std::string_view bytes, std::size_t max_bytes) {
  if (bytes.size() > max_bytes)
    return "it is larger than the limit of " + fs::limit_text(max_bytes) + " for this file";
  // Every tag, comment or text may be a node and every '=' an attribute,
  // each dozens of bytes in the tree: bounding them bounds the memory and
  // time of a parse whatever the file holds, before any of it is built.
  Markup markup = scan(bytes);
  if (markup.count > kMaxMarkup)
    return "it holds more than " + std::to_string(kMaxMarkup) +
           " pieces of markup (tags and attributes), more than any file of the program has";
  // The parser expands no entity a document type declares; a file that
  // declares them means text the program would never see.
  if (markup.document_type)
    return "it declares a document type (<!DOCTYPE), which no file of the program has";
  return std::nullopt;
}

pugi::xml_document parse_bytes(std::string_view bytes, const std::string& name, std::size_t max_bytes) {
  if (auto why = unreadable_reason(bytes, max_bytes)) throw FileError("Cannot read " + name + ": " + *why);
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
  return parse_bytes(bytes, path, max_bytes);
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

std::string to_bytes(const pugi::xml_document& doc, std::size_t max_bytes, const std::string& name) {
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
  if (auto why = unreadable_reason(out, max_bytes))
    throw FileError("Cannot write " + name + ": the program could not read it back: " + *why);
  return out;
}

} // namespace lw::xml
