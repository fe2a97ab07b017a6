#pragma once

// The exit status of vuzazav-cli, for scripts and schedulers.
inline constexpr int exit_done = 0;        // the output was written
inline constexpr int exit_refused = 1;     // the input was refused
inline constexpr int exit_usage = 2;       // the command line is wrong
inline constexpr int exit_not_written = 3; // an output could not be written
