#include "window_logic/about_window.h"

#include "core/identity.h"
#include "platform/url_opener.h"

#include <string>

namespace lw {

void AboutLogic::Label4Click() { urls_.open(std::string(kHomePageUrl)); }

} // namespace lw
