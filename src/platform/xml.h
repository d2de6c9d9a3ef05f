#pragma once
#include <cstddef>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace lw::xml {

// A document with more markup than this is refused unparsed. Markup is what
// the parser makes nodes and attributes of: the '<' and '>' of each tag,
// comment, instruction or CDATA section, and the '=' of each attribute; a
// character inside an attribute's value, a text or a comment is none. 65535
// channels with their two attributes need 262140.
inline constexpr std::size_t kMaxMarkup = 300000;
std::size_t markup_count(std::string_view bytes);

// The one test of what the reader takes, for readers and writers alike: at
// most max_bytes, at most kMaxMarkup pieces of markup, and no document type
// (no file of the program declares one, and its entities are no text of it).
// The reason a document is refused ("it holds more than ..."), or nullopt.
std::optional<std::string> unreadable_reason(std::string_view bytes, std::size_t max_bytes);

// Parses a file into a document. Comments and processing instructions are
// nodes; an XML declaration is tolerated and is not a node. Throws FileError
// with the parser's text and line, the system's text, or the reason above.
pugi::xml_document parse_file(const std::string& path, std::size_t max_bytes);
pugi::xml_document parse_bytes(std::string_view bytes, const std::string& name, std::size_t max_bytes);

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
// Throws FileError, naming the file and the limit, when its reader (of
// max_bytes) would refuse the bytes: a writer never writes what its reader
// can't read back.
std::string to_bytes(const pugi::xml_document& doc, std::size_t max_bytes, const std::string& name);

} // namespace lw::xml
