#pragma once

#include <string>
#include <vector>

// The commands of vuzazav-cli. Each takes the arguments after its name, does its whole
// work without reading standard input, and returns the exit status.
int run_assemble(const std::vector<std::string>& args);
int run_forecast(const std::vector<std::string>& args);
int run_gfs(const std::vector<std::string>& args);
int run_gfs_point(const std::vector<std::string>& args);
