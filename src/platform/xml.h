#pragma once
#include <cstddef>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace lw::xml {

// Parses a file into a document. Comments and processing instructions are
// nodes; an XML declaration is tolerated and is not a node. Throws FileError
// with the parser's text and line, or the system's text.
// A document with more markup than this ('<', '>' and '=' together) is
// refused unparsed: 65535 channels with their two attributes need 262140.
inline constexpr std::size_t kMaxMarkup = 300000;
pugi::xml_document parse_file(const std::string& path, std::size_t max_bytes);
pugi::xml_document parse_bytes(std::string_view bytes, const std::string& name);

// The document's first top-level node, whatever its kind or name.
pugi::xml_node root(const pugi::xml_document& doc);
// The document's first element, past any comment or processing instruction.
pugi::xml_node first_element(const pugi::xml_document& doc);

// First child element with exactly this name (empty node when none).
pugi::xml_node child(pugi::xml_node parent, const char* name);

// The content of an element that holds nothing but a single text (or nothing
// at all, which is the empty text); nullopt for anything else.
std::optional<std::string> single_text(pugi::xml_node element);

// Element holding a text; an empty text leaves the element empty.
pugi::xml_node append_text_element(pugi::xml_node parent, const char* name, std::string_view text);

// The document as the program writes it: no declaration, indented, UTF-8.
std::string to_bytes(const pugi::xml_document& doc);

} // namespace lw::xml
