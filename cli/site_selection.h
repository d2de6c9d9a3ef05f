#pragma once
#include "site/site_pass.h"

#include <optional>
#include <string_view>
#include <vector>

namespace lw::cli {

// The words `update --site --only` takes: a state's own word for the units
// in that state, "failed" for those whose last attempt did not succeed.
std::vector<std::string_view> selection_words();
// The selection a word names; nullopt for any other.
std::optional<Selection> selection_named(std::string_view word);

} // namespace lw::cli
