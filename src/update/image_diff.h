#pragma once
#include "core/text_ids.h"
#include "core/text_table.h"
#include "image/image_layout.h"
#include "params/dmx_defaults.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace lw {

// A value as shown: a catalogue text when `text_index` is set, else `text`.
struct ShownValue {
  std::string text;
  int text_index = text_id::kNone;
  bool operator==(const ShownValue&) const = default;
};

// One field that differs: named by the Set Communication editor's label
// when the editor shows it, else by its place in the image.
struct FieldChange {
  int label = text_id::kNone;
  std::string name; // when there is no label
  ShownValue before, after;
  bool operator==(const FieldChange&) const = default;
};

struct ChannelChange {
  int channel; // from 1
  int before, after;
  std::string mnemonic; // empty when unknown
  bool operator==(const ChannelChange&) const = default;
};

struct ImageDiff {
  std::vector<FieldChange> fields;
  std::vector<ChannelChange> channels;
  bool equal() const { return fields.empty() && channels.empty(); }
};

// One field of the editor as an image gives it to the device.
struct ImageField {
  int label;
  ShownValue value;
};

// Every field of the editor, read from the image as the device reads it, in
// the editor's order.
std::vector<ImageField> image_fields(const image::Image& image);

// A value's text in the catalogue's language.
const std::string& shown_text(const ShownValue& value, const TextTable& texts);

// Compares two images field by field. Every differing byte shows up: a byte
// no field of the editor explains is listed by its place. Mnemonics come
// from `table` (the newer image's configuration) when there is one.
ImageDiff diff_images(const image::Image& before, const image::Image& after,
                      const DMX_Def_Table* table = nullptr);

// How many changed channels a text lists before it says how many more.
inline constexpr std::size_t kChannelsListed = 20;

// The changes as lines in the catalogue's language.
std::string diff_text(const ImageDiff& diff, const TextTable& texts);
// Every change, channels included, for scripts.
std::string diff_json(const ImageDiff& diff, const TextTable& texts);

} // namespace lw
