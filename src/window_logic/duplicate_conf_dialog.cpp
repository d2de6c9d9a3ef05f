#include "window_logic/duplicate_conf_dialog.h"

#include "core/catalogue.h"
#include "core/ports.h"
#include "core/program_folders.h"
#include "formats/errors.h"
#include "platform/files.h"
#include "projects/configuration_copy.h"

namespace lw {

std::string DuplicateConfLogic::FormShow(const std::string& source) {
  return FormShow(source, [this](const std::string& name) {
    return duplicate_configuration(fs::join(folders_.Projects_Dir, source_), name);
  });
}

std::string DuplicateConfLogic::FormShow(const std::string& source, Maker make) {
  source_ = source;
  make_ = std::move(make);
  return source;
}

bool DuplicateConfLogic::Btn_OKClick(const std::string& name) {
  try {
    if (auto refusal = make_(name)) {
      messages_.error(catalogue_.text(refusal_message(*refusal)));
      return false;
    }
  } catch (const FileError& e) {
    messages_.error(e.what());
    return false;
  }
  return true;
}

} // namespace lw
