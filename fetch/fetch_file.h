#pragma once

#include "fetch/http_session.h"
#include "fetch/product_files.h"

#include <string>

// How one try at one file from one server ended.
enum class file_state {
    fetched,     // downloaded whole and saved
    kept,        // already complete in the folder: not downloaded again
    absent,      // not on the server (yet)
    failed,      // the network failed: worth another try
    refused,     // a broken download: a wrong answer, a message not whole
    not_written, // downloaded, but it could not be saved
};

struct file_outcome {
    file_state state = file_state::failed;
    std::string what; // one line for the log: what was saved, or what went wrong
};

// Where file is saved in directory: under its own name.
std::string saved_path(const std::string& directory, const product_file& file);

// Tries file from the server at base (a URL ending in "/" that stands for NCEP's "com/"
// folder) and saves it in directory under its own name, completely or not at all. A text
// product comes whole; a GFS hour as the messages of it that gfs-point reads, by the byte
// ranges its .idx inventory gives, each a run of adjacent messages. A file of the same
// name and size is already complete and is kept.
file_outcome fetch_file(http_session& session, const std::string& base, const product_file& file,
                        const std::string& directory);
