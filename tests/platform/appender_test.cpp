#include "formats/errors.h"
#include "platform/files.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace lw {
namespace {

namespace stdfs = std::filesystem;

TEST(AppendText, HeaderOnceEarlierBytesKeptAndAMissingLineEndAdded) {
  test::TempDir dir;
  const std::string log = dir.file("log.csv");
  fs::append_text(log, "h\r\n", "one\r\n");
  fs::append_text(log, "h\r\n", "two\r\n");
  EXPECT_EQ(test::read_file(log), "h\r\none\r\ntwo\r\n");
  test::write_file(log, "h\r\nhand-edited");
  fs::append_text(log, "h\r\n", "three\r\n");
  EXPECT_EQ(test::read_file(log), "h\r\nhand-edited\r\nthree\r\n");
  test::write_file(log, "");
  fs::append_text(log, "h\r\n", "four\r\n");
  EXPECT_EQ(test::read_file(log), "h\r\nfour\r\n");
}

TEST(AppendText, RefusesWhatIsNoRegularFileWithoutWaiting) {
  test::TempDir dir;
  stdfs::create_directory(dir.file("folder"));
  EXPECT_THROW(fs::append_text(dir.file("folder"), "h\r\n", "x\r\n"), FileError);
#ifndef _WIN32 // Windows has no named pipes in its file system
  ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
  EXPECT_THROW(fs::append_text(dir.file("pipe"), "h\r\n", "x\r\n"), FileError);
#endif
  EXPECT_THROW(fs::append_text(dir.file("missing/log.csv"), "h\r\n", "x\r\n"), FileError);
}

} // namespace
} // namespace lw
