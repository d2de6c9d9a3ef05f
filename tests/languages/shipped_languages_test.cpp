#include "core/text_table.h"
#include "languages/language_file.h"
#include "languages/text_decoding.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace lw {
namespace {

namespace stdfs = std::filesystem;
const std::string kShipped = LOOMWORK_SOURCE "/LANGUAGE";

std::vector<std::string> shipped_files() {
  std::vector<std::string> out;
  for (const auto& e : stdfs::directory_iterator(test::fs_path(kShipped)))
    if (e.path().extension() == ".lng") out.push_back(test::utf8(e.path()));
  return out;
}

// The texts a shown window takes from the catalogue.
std::vector<int> shown_indices() {
  std::vector<int> out;
  auto range = [&](int a, int b) {
    for (int i = a; i <= b; ++i)
      out.push_back(i);
  };
  range(0, 26), range(100, 110), range(200, 258), range(300, 321), range(500, 534);
  range(802, 803), out.push_back(806), range(814, 824), range(832, 837);
  range(1000, 1011), range(1079, 1089), range(1092, 1110), range(1121, 1132), range(1141, 1144);
  range(1171, 1176), range(1200, 1211);
  return out;
}

TEST(ShippedLanguages, EnglishAndFourTranslations) {
  auto files = shipped_files();
  std::vector<std::string> names;
  for (const auto& f : files)
    names.push_back(test::utf8(test::fs_path(f).stem()));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Deutsch", "English", "Español", "Français", "Italiano"}));
  for (const auto& n : names)
    EXPECT_TRUE(stdfs::exists(test::fs_path(kShipped + "/" + n + ".bmp"))) << n;
  EXPECT_TRUE(stdfs::exists(kShipped + "/DefaultFlag.bmp"));
}

TEST(ShippedLanguages, EveryEntryLineIsReadAndEveryShownTextTranslated) {
  for (const auto& path : shipped_files()) {
    SCOPED_TRACE(path);
    std::string bytes = test::read_file(path);
    ASSERT_TRUE(bytes.starts_with("\xEF\xBB\xBF//VERSION 1.0\r\n"));
    std::string text = decode_text_file(bytes);
    std::set<int> set_by_file;
    std::size_t pos = 0;
    while (pos < text.size()) {
      std::size_t end = text.find('\n', pos);
      std::string line = text.substr(pos, end - pos);
      pos = end == std::string::npos ? text.size() : end + 1;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.starts_with("STR")) continue;
      // Each entry line, read on its own, must change exactly its own entry.
      TextTable probe;
      probe.Fill_English_Texts();
      for (int i = 0; i < probe.Count(); ++i)
        probe.Put(i, "\x01");
      std::string version;
      apply_language_text(line, probe, version);
      int changed = -1, count = 0;
      for (int i = 0; i < probe.Count(); ++i)
        if (probe.Get(i) != "\x01") changed = i, ++count;
      ASSERT_EQ(count, 1) << "line skipped or misread: " << line;
      ASSERT_EQ(line.substr(0, line.find(' ')), "STR" + std::to_string(changed)) << line;
      set_by_file.insert(changed);
    }
    TextTable table;
    table.Fill_English_Texts();
    std::string version;
    apply_language_text(text, table, version);
    EXPECT_EQ(version, "1.0");
    for (int i : shown_indices())
      EXPECT_TRUE(set_by_file.count(i)) << "entry " << i << " not translated";
    // Blank-edged entries keep their blanks.
    for (int i : {9, 11, 304, 305, 306, 316, 317, 507}) {
      ASSERT_FALSE(table.Get(i).empty()) << "entry " << i;
      EXPECT_TRUE(table.Get(i).front() == ' ' || table.Get(i).back() == ' ') << "entry " << i;
    }
  }
}

// A translation that drops or adds a "%1" place loses a value or shows the
// mark itself.
TEST(ShippedLanguages, TranslationsKeepThePlacesOfTheEnglishText) {
  auto places = [](const std::string& text) {
    std::multiset<std::string> out;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
      if (text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9') out.insert(text.substr(i, 2));
    return out;
  };
  TextTable english;
  english.Fill_English_Texts();
  int with_places = 0;
  for (const auto& path : shipped_files()) {
    SCOPED_TRACE(path);
    TextTable table;
    table.Fill_English_Texts();
    std::string version;
    apply_language_text(decode_text_file(test::read_file(path)), table, version);
    for (int i = 0; i < table.Count(); ++i) {
      EXPECT_EQ(places(table.Get(i)), places(english.Get(i))) << "entry " << i << ": " << table.Get(i);
      with_places += !places(english.Get(i)).empty();
    }
  }
  EXPECT_GT(with_places, 0);
}

TEST(ShippedLanguages, EnglishFileIsTheBuiltInCatalogue) {
  TextTable table, english;
  table.Fill_English_Texts();
  english.Fill_English_Texts();
  for (int i = 0; i < table.Count(); ++i)
    table.Put(i, "");
  std::string version;
  apply_language_text(decode_text_file(test::read_file(kShipped + "/English.lng")), table, version);
  for (int i = 0; i < table.Count(); ++i)
    ASSERT_EQ(table.Get(i), english.Get(i)) << "entry " << i;
}

} // namespace
} // namespace lw
