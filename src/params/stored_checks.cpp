#include "params/stored_checks.h"

#include "core/text_ids.h"
#include "params/dmx_defaults.h"
#include "params/par_gen.h"

namespace lw {

std::optional<std::string> stored_files_failure(const std::string& par_gen_path, const std::string& dmx_path,
                                                const TextTable& texts) {
  if (auto failure = Controllo_Dati(Load_Par_Gen(par_gen_path))) return failure_text(*failure, texts);
  auto rows = Load_DMX_Defaults(dmx_path, dmx_channel_count(par_gen_path));
  if (auto channel = Controllo_dati(rows))
    return dmx_row_error(texts.Get(text_id::kMsgDmxErrorRow), *channel,
                         texts.Get(text_id::kMsgDmxValueRange));
  return std::nullopt;
}

} // namespace lw
