#include "cli/cli_steps.h"

const char* const program_version = "vuzazav-cli " VUZAZAV_VERSION;
