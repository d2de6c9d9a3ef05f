#pragma once
#include "core/text_table.h"
#include "image/image_layout.h"
#include "params/dmx_defaults.h"
#include "platform/files.h"

#include <string>

namespace lw {

// An image file of exactly the image's size; throws FileError with the
// system's text, or saying the size is wrong.
image::Image load_image(const std::string& path, fs::Links links = fs::Links::Follow);

// A configuration folder's current image, compiled in memory from its files;
// throws FileError as the compiler does.
image::Image compiled_image(const std::string& conf_dir);

// The mnemonics a configuration gives its channels; empty when its files
// can't be read, since a preview is no place to fail for a name.
DMX_Def_Table configuration_mnemonics(const std::string& conf_dir);

// What Execute would change on the device: the configuration's bin/bank.bin
// against bin/last-sent.bin (the image of the last update that succeeded),
// in the catalogue's language. Says first when the last attempt did not end
// in success and how, as the log tells it; says when this is the first
// update, when nothing has been sent with success yet, or when an image
// can't be read.
std::string change_preview(const std::string& conf_dir, const TextTable& texts);

} // namespace lw
