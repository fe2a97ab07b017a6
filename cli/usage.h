#pragma once

// What each command of vuzazav-cli takes, as --help prints it and a usage error repeats it.
extern const char* const main_usage;
extern const char* const assemble_usage;
extern const char* const forecast_usage;
extern const char* const gfs_usage;
extern const char* const gfs_point_usage;
