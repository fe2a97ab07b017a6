#pragma once

#include "diagnostics/fault.h"

// The exit status of vuzazav-cli, for scripts and schedulers.
inline constexpr int exit_done = 0;        // every output was written
inline constexpr int exit_refused = 1;     // the input was refused
inline constexpr int exit_usage = 2;       // the command line is wrong
inline constexpr int exit_not_written = 3; // an output could not be written

// The status a refusal of this kind ends the command with.
inline constexpr int exit_status_of(fault_kind kind) {
    switch (kind) {
    case fault_kind::bad_weight:
    case fault_kind::usage:
        return exit_usage;
    case fault_kind::output_is_input:
    case fault_kind::same_output:
    case fault_kind::not_written:
        return exit_not_written;
    default:
        return exit_refused;
    }
}
