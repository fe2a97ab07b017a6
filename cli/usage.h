#pragma once

#include <string>

// What vuzazav-cli takes, as --help prints it and a usage error repeats it: the program's
// usage, made from the table of commands, and each command's own.
std::string main_usage();
extern const char* const assemble_usage;
extern const char* const forecast_usage;
extern const char* const gfs_usage;
extern const char* const gfs_point_usage;
extern const char* const verify_usage;
