#pragma once
#include "core/text_table.h"
#include "formats/document.h"
#include "platform/clock.h"

#include <cstddef>
#include <string>

namespace lw {

// What the site report says besides the files of its units.
struct SiteReportFacts {
  std::string projects_dir;
  LocalTime produced;
  std::string language; // the locale code of the catalogue's language
};

// How many hex digits of each image's SHA-256 the report shows: enough to
// tell two images apart by eye, and short enough for a row of a page.
inline constexpr std::size_t kSiteReportHashDigits = 12;

// The site as handed over: one row for every folder of projects_dir, as
// site_status has them, with its name, its address now, its configured
// address, Modbus ID and channels, the checksum and the start of the SHA-256
// of the image compiled now, its state and its last attempt; a folder that
// is no configuration or a configuration step 4 would refuse is listed with
// why. Then the addressing notes of the site. Nothing is written.
doc::Document site_report(const SiteReportFacts& facts, const TextTable& texts);

} // namespace lw
