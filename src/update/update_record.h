#pragma once
#include "platform/clock.h"
#include "update/outcome.h"
#include "update/update_ports.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lw {

class LineAppender;

// Where a record of the updates goes, handed in so tests can fake it.
struct RecordPorts {
  WallClock& wall;
  LineAppender& log;
};

// One update attempt as the log tells it.
struct UpdateAttempt {
  std::string conf_dir;
  std::string address; // as typed; written in plain decimal when usable
  int option = 0;      // image::UpdateOption
  bool read_back = true;
  std::optional<std::string> image; // the image handed over; nullopt before there was one
};

// What could not be recorded, in the system's words; the update itself has
// run all the same.
struct RecordFailures {
  std::optional<std::string> log;  // the update log
  std::optional<std::string> kept; // the copy of the image sent
  bool operator==(const RecordFailures&) const = default;
};

struct RecordedUpdate {
  UpdateOutcome outcome;
  RecordFailures failures;
};

std::string update_log_path(const std::string& conf_dir);
std::string last_sent_path(const std::string& conf_dir);
std::string sent_folder(const std::string& conf_dir);

// The log's word for an outcome, the same in every language.
std::string_view outcome_word(UpdateOutcome::Kind kind);
// The outcome a log's word stands for; nullopt for a word the program never
// writes (a log edited by hand).
std::optional<UpdateOutcome::Kind> outcome_of_word(std::string_view word);

// The log's header and one attempt's line, each ending in CR LF.
std::string update_log_header();
std::string update_log_line(const UpdateAttempt& attempt, const UpdateOutcome& outcome,
                            const LocalTime& when);

// The configuration's bin/bank.bin as it is now, nullopt when it can't be read.
std::optional<std::string> handed_image(const std::string& conf_dir);

// Whether the device took the image, as far as the program can tell: the
// updater ended with status 0. One still running after the wait may yet
// fail, so it is no success.
bool update_succeeded(const UpdateOutcome& outcome);
// Whether the updater was started with the image: it ended, or still runs.
bool image_handed_over(const UpdateOutcome& outcome);

// Keeps an image the updater was handed as bin/sent/bank-<time>.bin, a new
// name even for two in one millisecond, and, when the update succeeded, as
// bin/last-sent.bin; returns the first path. Nothing here is ever deleted by
// the program, and nothing is written through a link: one in the place of
// bin, bin/sent or last-sent.bin is refused. Throws FileError with the
// system's text.
std::string keep_sent_image(const std::string& conf_dir, const std::string& image, const LocalTime& when,
                            bool succeeded);

// Appends the attempt's line to the configuration's update log (never
// through a link) and, once the updater was handed the image, keeps it.
RecordFailures Record_Update(const UpdateAttempt& attempt, const UpdateOutcome& outcome, RecordPorts& record);

// Runs an attempt and records it. The image is taken from bin/bank.bin when
// the run says it is written (UpdateStep::ImageWritten), or at once when
// `image_ready`: an attempt that stops before there is one logs none.
RecordedUpdate Record_Attempt(UpdateAttempt attempt, bool image_ready, const UpdatePorts& ports,
                              RecordPorts& record,
                              const std::function<UpdateOutcome(const UpdatePorts&)>& run);

} // namespace lw
