#include "fakes.h"
#include "platform/files.h"
#include "sheet_fixture.h"
#include "window_logic/commissioning_sheet_logic.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lw {
namespace {

namespace stdfs = std::filesystem;
using test::log_line;
using test::rows_of;
using test::section;
using test::Sheet;

class SheetButton : public Sheet {
protected:
  test::FakeFilePicker files;
  test::FakeUrlOpener urls;
  test::FakePdfRenderer pdf;
  CommissioningSheetLogic logic{conf, catalogue, {messages, files, urls, wall, &pdf}};
};

TEST_F(SheetButton, CancelledWritesNothing) {
  files.answer = "";
  EXPECT_EQ(logic.save_commissioning_sheet(), std::nullopt);
  ASSERT_EQ(files.asked.size(), 1u);
  EXPECT_EQ(files.asked[0].start, fs::join(conf.Conf_Dir, conf.Conf_Name + ".pdf"));
  EXPECT_TRUE(pdf.rendered.empty());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SheetButton, WritesByTheSuffixAndOffersToOpen) {
  const std::vector<std::tuple<std::string, std::string, bool>> cases = {
      // answered, written, rendered as PDF
      {dir.file("out/sheet.PDF"), dir.file("out/sheet.PDF"), true},
      {dir.file("out/sheet.html"), dir.file("out/sheet.html"), false},
  };
  stdfs::create_directory(dir.file("out"));
  for (const auto& [answer, written, as_pdf] : cases) {
    pdf.rendered.clear();
    messages.shown.clear();
    urls.opened.clear();
    files.answer = answer;
    messages.answer_yes = true;
    EXPECT_EQ(logic.save_commissioning_sheet(), written);
    std::string bytes = test::read_file(written);
    EXPECT_EQ(pdf.rendered.size(), as_pdf ? 1u : 0u) << answer;
    EXPECT_TRUE(bytes.starts_with(as_pdf ? "%PDF" : "<!DOCTYPE html>")) << answer;
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "The commissioning sheet is written to " + written + ". Open it now?");
    EXPECT_EQ(urls.opened, std::vector<std::string>{written});
  }
  // The next sheet starts where the last one went.
  files.answer = "";
  logic.save_commissioning_sheet();
  EXPECT_EQ(files.asked.back().start, fs::join(dir.file("out"), conf.Conf_Name + ".pdf"));
}

TEST_F(SheetButton, NoMeansTheSheetIsNotOpened) {
  files.answer = dir.file("s.pdf");
  messages.answer_yes = false;
  EXPECT_TRUE(logic.save_commissioning_sheet());
  EXPECT_TRUE(urls.opened.empty());
}

TEST_F(SheetButton, ANameWithoutASheetsSuffixIsRefused) {
  for (std::string name : {"sheet", "ParGen.xml", "notes.txt"}) {
    messages.shown.clear();
    files.answer = dir.file(name);
    EXPECT_EQ(logic.save_commissioning_sheet(), std::nullopt);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "A commissioning sheet is written as .pdf or .html: " + dir.file(name));
    EXPECT_FALSE(stdfs::exists(dir.file(name + ".pdf")));
  }
  EXPECT_TRUE(pdf.rendered.empty());
}

TEST_F(SheetButton, AViewerThatCantBeStartedIsSaidSo) {
  files.answer = dir.file("s.pdf");
  urls.succeed = false;
  EXPECT_TRUE(logic.save_commissioning_sheet());
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text, "The sheet is written, but no program to show it could be started.");
}

TEST_F(SheetButton, ErrorsAreShownAndLeaveWhatWasThere) {
  test::write_file(dir.file("s.pdf"), "old");
  files.answer = dir.file("s.pdf");
  pdf.failure = "PDF: the page could not be painted";
  EXPECT_EQ(logic.save_commissioning_sheet(), std::nullopt);
  test::write_file(conf.File_ParGen, "<Par_Gen><oops>");
  pdf.failure.reset();
  EXPECT_EQ(logic.save_commissioning_sheet(), std::nullopt);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].kind, "error");
  EXPECT_EQ(messages.shown[0].text, "PDF: the page could not be painted");
  EXPECT_NE(messages.shown[1].text.find("ParGen.xml"), std::string::npos) << messages.shown[1].text;
  EXPECT_EQ(test::read_file(dir.file("s.pdf")), "old");
  EXPECT_TRUE(urls.opened.empty());
}

} // namespace
} // namespace lw
