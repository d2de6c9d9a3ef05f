#include "cli.h"
#include "fakes.h"
#include "program_folder.h"
#include "update_report.h"
#include "window_logic/update_messages.h"

#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace lw {
namespace {

using Kind = UpdateOutcome::Kind;

// What each outcome shows in the dialog and what the companion prints and
// returns; the system's text is "sys".
struct OutcomeCase {
  Kind kind;
  const char* dialog_kind; // nullptr: no message
  const char* dialog_text;
  int exit_status;
  const char* out;
  const char* err;
};

const OutcomeCase kCases[] = {
    {Kind::TestFailed, "error", "sys", 1, "sys\n", ""},
    {Kind::ImageNotWritten, "error", "sys", 1, "", "sys\n"},
    {Kind::UnusableAddress, "error", "Error!!! Check the Ip Address", 2, "Error!!! Check the Ip Address\n",
     ""},
    {Kind::Silent, "warning", "Device Not Found!", 3, "Device Not Found!\n", ""},
    {Kind::NotPermitted, "error", "sys", 1, "", "sys\n"},
    {Kind::SendFailed, "error", "Error!!! Check the Ip Address", 2, "Error!!! Check the Ip Address\n", ""},
    {Kind::Cancelled, nullptr, "", 1, "", "update cancelled\n"},
    {Kind::DescriptorNotWritten, "error", "sys", 1, "", "sys\n"},
    {Kind::UpdaterNotStarted, "error", "sys", 1, "", "sys\n"},
    {Kind::UpdaterEnded, nullptr, "", 4, "updater ended with exit status 5\n", ""}, // 5: the updater failed
    {Kind::UpdaterStillRunning, nullptr, "", 0,
     "the updater is still running after 150 s; no longer waiting\n", ""},
};

TEST(UpdateOutcome, EveryKindHasItsCase) {
  std::set<Kind> kinds;
  for (const auto& c : kCases)
    kinds.insert(c.kind);
  EXPECT_EQ(kinds.size(), kOutcomeKindCount);
  EXPECT_EQ(std::size(kCases), kOutcomeKindCount);
}

TEST(UpdateOutcome, DialogMessageAndCompanionStatus) {
  const Catalogue catalogue = test::english_catalogue();
  for (const auto& c : kCases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    UpdateOutcome outcome{c.kind, 5, "sys"};

    test::FakeMessages messages;
    Show_Outcome(messages, catalogue, outcome);
    if (c.dialog_kind) {
      ASSERT_EQ(messages.shown.size(), 1u);
      EXPECT_EQ(messages.shown[0].kind, c.dialog_kind);
      EXPECT_EQ(messages.shown[0].text, c.dialog_text);
    } else {
      EXPECT_TRUE(messages.shown.empty());
    }

    std::ostringstream out, err;
    cli::Io io{out, err, ""};
    EXPECT_EQ(cli::report_update(outcome, catalogue.Text_Table, io), c.exit_status);
    EXPECT_EQ(out.str(), c.out);
    EXPECT_EQ(err.str(), c.err);
  }
}

TEST(UpdateOutcome, OnlyAnUpdaterEndingWithZeroIsADoneUpdate) {
  TextTable texts;
  texts.Fill_English_Texts();
  for (auto [status, expected] : {std::pair{0, 0}, std::pair{1, 4}, std::pair{139, 4}}) {
    std::ostringstream out, err;
    cli::Io io{out, err, ""};
    EXPECT_EQ(cli::report_update({Kind::UpdaterEnded, status, {}}, texts, io), expected) << status;
  }
}

} // namespace
} // namespace lw
