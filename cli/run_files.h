#pragma once

#include "calendar/utc_time.h"
#include "cli/commands.h"
#include "diagnostics/diagnostics.h"
#include "diagnostics/fault.h"

#include <fstream>
#include <string>
#include <vector>

// The steps every command shares: opening its input, settling and writing its outputs,
// and saying why it refuses.

// The program and its version, as the documents name the program that wrote them.
extern const char* const program_version;

// Says a refusal: its sentence, where it has one, then why; returns its exit status.
int refuse(const diagnostics& to, const fault& why);

// Opens the input file of a run and settles its outputs: the first is the -o option's
// value or the input name with "out" in place of its last three characters, then the
// values of the options named in more, where given (empty where not). None may be the
// input nor another. Returns exit_done, or the status to end with after saying why.
int open_run_files(const diagnostics& to, const command_line& parsed, std::ifstream& input,
                   std::vector<std::string>& outputs, const std::vector<const char*>& more);

// Writes an output completely or not at all, and says where it went; returns exit_done,
// or exit_not_written after saying why.
int write_output(const diagnostics& to, const std::string& name, const std::string& text);

// Writes the JSON and CSV documents of a run to the files named, where named (empty where
// not), in that order, each completely or not at all; returns exit_done or the status to
// end with.
int write_documents(const diagnostics& to, const std::string& json_name,
                    const std::string& json_text, const std::string& csv_name,
                    const std::string& csv_text);

// Today's date in UTC, the date a scheduled run issues guidance for. VUZAZAV_TODAY, when
// set, stands in for the clock (a date year-month-day), so that a test can choose the day.
// The date's hour is 0. Returns exit_done, or exit_usage after saying why a VUZAZAV_TODAY
// is no date.
int today_utc(const diagnostics& to, utc_time& today);
