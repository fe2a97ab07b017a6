// The exit status of every kind of outcome of vuzazav-cli, which schedulers act on.
#ifndef _WIN32

#include "scratch_directory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace fs = std::filesystem;

TEST(CliExitCodes, EachOutcomeHasItsStatus) {
    struct {
        const char* args;
        int status;
    } cases[] = {
        {"", 2},
        {"--help", 0},
        {"--version", 0},
        {"frobnicate", 2},
        {"gfs --help", 0},
        {"gfs", 2},
        {"gfs gfs_model.txt extra.txt", 2},
        {"gfs -x gfs_model.txt", 2},
        {"gfs gfs_model.txt -o", 2},
        {"forecast bulletins.txt", 2},
        {"forecast bulletins.txt --eta-weight 0,7", 2},
        // A script's weight outside 0 to 1 is refused; both ends are weights.
        {"forecast bulletins.txt --eta-weight -0.5 -o minus.out", 2},
        {"forecast bulletins.txt --eta-weight 60", 2},
        {"forecast bulletins.txt --eta-weight 1.0000001", 2},
        {"forecast bulletins.txt --eta-weight 0 -o zero.out", 0},
        {"forecast bulletins.txt --eta-weight 1 -o one.out", 0},
        {"forecast missing.txt --eta-weight 0.7", 1},
        {"forecast gfs_model.txt --eta-weight 0.7", 1},
        {"gfs bulletins.txt", 1},
        {"gfs ab", 1},
        {"gfs gfs_model.txt -o gfs_model.txt", 3},
        {"gfs gfs_model.txt -o no_such_directory/table.out", 3},
        {"gfs gfs_model.txt --chart no_such_directory/gfs.svg", 3},
        {"gfs gfs_model.txt --chart gfs_model.out", 3},
        {"gfs gfs_model.txt", 0},
        {"gfs gfs_model.txt --json gfs_model.txt", 3},
        {"gfs gfs_model.txt --csv gfs_model.out", 3},
        {"gfs gfs_model.txt --chart g.svg --json g.svg", 3},
        {"gfs gfs_model.txt --json g.json --csv g.json", 3},
        {"gfs gfs_model.txt --json no_such_directory/g.json", 3},
        {"gfs gfs_model.txt --chart g.svg --json g.json --csv g.csv", 0},
        {"forecast bulletins.txt --eta-weight 0.7 --json bulletins.txt", 3},
        {"forecast bulletins.txt --eta-weight 0.7 --csv bulletins.out", 3},
        {"forecast bulletins.txt --eta-weight 0.7 --json f.json --csv f.json", 3},
        {"forecast bulletins.txt --eta-weight 0.7 --chart f.svg --csv f.svg", 3},
        {"forecast bulletins.txt --eta-weight 0.7 --csv no_such_directory/f.csv", 3},
        {"forecast bulletins.txt --eta-weight 0.7 --chart f.svg --json f.json --csv f.csv", 0},
        {"assemble", 2},
        {"assemble --date 13/40/2010 bulletins.txt", 2},
        {"assemble missing.txt", 1},
        {"assemble -o assembled.txt gfs_model.txt", 1},
    };
    scratch_directory scratch;
    for (const char* sample : {"bulletins.txt", "gfs_model.txt"})
        fs::copy_file(fs::path(VUZAZAV_SOURCE_DIR) / "examples" / sample, scratch.path / sample);
    fs::copy_file(fs::path(VUZAZAV_SOURCE_DIR) / "examples" / "gfs_model.txt", scratch.path / "ab");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        std::string command = "cd '" + scratch.path.string() + "' && '" VUZAZAV_CLI "' " + c.args +
                              " </dev/null >/dev/null 2>&1";
        int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), c.status);
    }
}

#endif
