#include "cli.h"
#include "line_flushing.h"
#include "platform/files.h"
#ifdef LOOMWORK_PDF
#include "platform/pdf.h"
#endif

#include <iostream>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  // The commands end their lines as each format wants ("\r\n" in a sheet);
  // text mode would add a '\r' before every '\n' again.
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
#endif
  lw::cli::Args args(argv + 1, argv + argc);
  lw::cli::LineFlushingBuffer out_lines(std::cout.rdbuf());
  std::ostream out(&out_lines);
  lw::cli::Io io{out, std::cerr, lw::fs::executable_dir()};
#ifdef LOOMWORK_PDF
  lw::QtPdfRenderer pdf;
  io.pdf = &pdf;
#endif
  int status = lw::cli::run(args, io);
  out.flush();
  return status;
}
