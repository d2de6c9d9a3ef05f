#pragma once
#include <optional>
#include <string>

namespace lw {

struct OpenConfiguration;
struct Catalogue;
class UserMessages;
class FilePicker;
class UrlOpener;
class WallClock;
class PdfRenderer;

struct SheetPorts {
  UserMessages& messages;
  FilePicker& files;
  UrlOpener& urls;
  WallClock& wall;
  PdfRenderer* pdf; // null where the program has no PDF writer
};

// The commissioning sheet of the open configuration, beside step 4.
class CommissioningSheetLogic {
public:
  CommissioningSheetLogic(const OpenConfiguration& conf, const Catalogue& catalogue, SheetPorts ports)
      : conf_(conf), catalogue_(catalogue), ports_(ports) {}

  // Asks where to write the sheet (PDF or HTML by the name's suffix; any
  // other is refused), writes it and offers to open it. The path written,
  // or nullopt when the user cancelled or an error was shown.
  std::optional<std::string> save_commissioning_sheet();
  // Writes the sheet there in the catalogue's language; an error is shown.
  bool write(const std::string& path);

private:
  std::string suggestion() const;

  const OpenConfiguration& conf_;
  const Catalogue& catalogue_;
  SheetPorts ports_;
  std::string folder_; // where the last sheet went
};

} // namespace lw
