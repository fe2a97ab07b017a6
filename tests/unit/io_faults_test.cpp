// The program under faults of the file system and of its input: it reports what it could
// not do, keeps what was there, and never makes a table of values a file did not hold.
#ifndef _WIN32

#include "arith/shared_types.h"
#include "gfs/read_gfs_rows.h"
#include "ingest/read_sky_wind.h"
#include "ingest/read_temp_pop.h"
#include "ingest/validate_bulletin_file.h"

#include "scratch_directory.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void put(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::set<std::string> names_in(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename());
    return names;
}

class IoFaults : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* sample : {"bulletins.txt", "gfs_model.txt"})
            fs::copy_file(fs::path(source_path()) / "examples" / sample, dir / sample);
    }

    // Runs the program in dir with input on standard input; file_size_limit, when not
    // negative, is the largest file it may write (with SIGXFSZ ignored, a write beyond it
    // fails instead of ending the process). Returns standard output; standard error goes
    // to errors. A run that has not ended after 20 seconds is killed.
    std::string run(const std::string& input, long file_size_limit = -1) {
        const std::string typed = dir.string() + ".stdin", said = dir.string() + ".stderr";
        put(typed, input);
        const std::string program = program_path();
        // Standard output goes through a pipe, which the file-size limit does not touch.
        int pipe_ends[2];
        if (pipe(pipe_ends) != 0) return "";
        pid_t pid = fork();
        if (pid == 0) {
            if (chdir(dir.c_str()) != 0 || !freopen(typed.c_str(), "r", stdin) ||
                !freopen(said.c_str(), "w", stderr))
                _exit(126);
            alarm(20);
            dup2(pipe_ends[1], STDOUT_FILENO);
            close(pipe_ends[0]);
            close(pipe_ends[1]);
            if (file_size_limit >= 0) {
                std::signal(SIGXFSZ, SIG_IGN);
                rlimit limit = {static_cast<rlim_t>(file_size_limit),
                                static_cast<rlim_t>(file_size_limit)};
                setrlimit(RLIMIT_FSIZE, &limit);
            }
            execl(program.c_str(), "vuzazav", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(pipe_ends[1]);
        std::string text;
        char chunk[4096];
        for (ssize_t n; (n = read(pipe_ends[0], chunk, sizeof chunk)) > 0;)
            text.append(chunk, static_cast<std::size_t>(n));
        close(pipe_ends[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        errors = contents(said);
        fs::remove(typed);
        fs::remove(said);
        return text;
    }

    scratch_directory scratch;
    const fs::path& dir = scratch.path;
    int exit_code = -1;
    std::string errors;
};

std::size_t count_of(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

unsigned mode_of(const fs::path& path) {
    struct stat s = {};
    stat(path.c_str(), &s);
    return s.st_mode & 0777;
}

const std::string missing = "You entered a file name wich does not exist in the directory.";

TEST_F(IoFaults, FullFileSystemKeepsTheEarlierOutput) {
    // The limit leaves room for neither output, but not for the earlier ones' contents.
    put(dir / "bulletins.out", "earlier report\n");
    put(dir / "gfs_model.out", "earlier table\n");
    std::string console = run("4\nbulletins.txt\n0.7\n1\ngfs_model.txt\n6\n", 1000);
    EXPECT_EQ(exit_code, 0);
    EXPECT_NE(console.find("The output file bulletins.out could not be written."),
              std::string::npos);
    EXPECT_NE(console.find("The output file gfs_model.out could not be written."),
              std::string::npos);
    EXPECT_EQ(contents(dir / "bulletins.out"), "earlier report\n");
    EXPECT_EQ(contents(dir / "gfs_model.out"), "earlier table\n");
    std::set<std::string> want = {"bulletins.txt", "bulletins.out", "gfs_model.txt",
                                  "gfs_model.out"};
    EXPECT_EQ(names_in(dir), want) << "no temporary file is left behind";
}

TEST_F(IoFaults, UnreadableInputIsReportedAsMissing) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads any file";
    fs::permissions(dir / "bulletins.txt", fs::perms::none);
    fs::permissions(dir / "gfs_model.txt", fs::perms::none);
    std::string console = run("4\nbulletins.txt\n1\ngfs_model.txt\n6\n");
    EXPECT_EQ(exit_code, 0);
    EXPECT_EQ(count_of(console, missing), 2u);
}

TEST_F(IoFaults, UnwritableDirectoryKeepsTheEarlierOutput) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into any directory";
    put(dir / "bulletins.out", "earlier report\n");
    fs::permissions(dir, fs::perms::owner_write, fs::perm_options::remove);
    std::string console = run("4\nbulletins.txt\n0.7\n6\n");
    fs::permissions(dir, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_NE(console.find("The output file bulletins.out could not be written."),
              std::string::npos);
    EXPECT_EQ(contents(dir / "bulletins.out"), "earlier report\n");
}

TEST_F(IoFaults, OutputThatIsTheInputUnderAnotherNameIsRefused) {
    fs::create_hard_link(dir / "bulletins.txt", dir / "bulletins.out");
    fs::create_hard_link(dir / "gfs_model.txt", dir / "gfs_model.out");
    std::string console = run("4\nbulletins.txt\n1\ngfs_model.txt\n6\n");
    std::string refused = "The output file would replace the input file.";
    std::string::size_type first = console.find(refused);
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(console.find(refused, first + 1), std::string::npos);
    EXPECT_EQ(contents(dir / "bulletins.out"),
              contents(fs::path(source_path()) / "examples" / "bulletins.txt"));
}

TEST_F(IoFaults, ProtectedOutputIsKeptAndAReplacedOneKeepsItsMode) {
    put(dir / "bulletins.out", "earlier report\n");
    put(dir / "gfs_model.out", "earlier table\n");
    chmod((dir / "bulletins.out").c_str(), 0444);
    chmod((dir / "gfs_model.out").c_str(), 0640);
    std::string console = run("4\nbulletins.txt\n0.7\n1\ngfs_model.txt\n6\n");
    bool refused = count_of(console, "The output file bulletins.out could not be written.") == 1;
    // Root may write to any file, as an output stream of root's would.
    EXPECT_EQ(refused, geteuid() != 0);
    EXPECT_EQ(refused, contents(dir / "bulletins.out") == "earlier report\n");
    EXPECT_EQ(mode_of(dir / "bulletins.out"), 0444u);
    EXPECT_NE(contents(dir / "gfs_model.out"), "earlier table\n");
    EXPECT_EQ(mode_of(dir / "gfs_model.out"), 0640u);
    EXPECT_EQ(names_in(dir).size(), 4u) << "no temporary file is left behind";
}

// A symbolic link stays and its file gets the output; a file with a second name is left
// as it was, with a reason, since no replacement could update both names.
TEST_F(IoFaults, LinkedOutputsAreWrittenThroughOrKept) {
    fs::create_directory(dir / "reports");
    put(dir / "reports" / "week.out", "earlier report\n");
    fs::create_symlink(fs::path("reports") / "week.out", dir / "bulletins.out");
    put(dir / "gfs_model.out", "earlier table\n");
    fs::create_hard_link(dir / "gfs_model.out", dir / "table.out");
    std::string console = run("4\nbulletins.txt\n0.7\n1\ngfs_model.txt\n6\n");
    EXPECT_TRUE(fs::is_symlink(dir / "bulletins.out"));
    EXPECT_EQ(contents(dir / "reports" / "week.out").rfind("1200 City of Vuzazav", 0), 0u);
    EXPECT_EQ(names_in(dir / "reports"), std::set<std::string>{"week.out"});
    EXPECT_EQ(count_of(console, "The output file gfs_model.out could not be written."), 1u);
    EXPECT_EQ(contents(dir / "table.out"), "earlier table\n");
    EXPECT_NE(errors.find("gfs_model.out: has 2 names (hard links)"), std::string::npos);
}

TEST_F(IoFaults, LongestFileNameIsWritten) {
    const std::string stem(251, 'g'); // with ".txt", the longest name a file system takes
    fs::copy_file(dir / "gfs_model.txt", dir / (stem + ".txt"));
    std::string console = run("1\n" + stem + ".txt\n6\n");
    EXPECT_EQ(console.find("could not be written"), std::string::npos);
    EXPECT_EQ(contents(dir / (stem + ".out")).rfind("HR   Pressure", 0), 0u);
}

// Neither the existence test nor a reader may open a FIFO (which blocks) or a device
// (which never ends); both are refused as missing files, with the reason.
TEST_F(IoFaults, SpecialFilesAreRefusedWithoutBlocking) {
    ASSERT_EQ(mkfifo((dir / "pipe.txt").c_str(), 0644), 0);
    fs::create_symlink("/dev/zero", dir / "zero.txt");
    std::string console = run("1\npipe.txt\n4\npipe.txt\n1\nzero.txt\n4\nzero.txt\n6\n");
    EXPECT_EQ(exit_code, 0);
    EXPECT_EQ(count_of(console, missing), 4u);
    EXPECT_NE(errors.find("pipe.txt: is not a regular file (a FIFO)"), std::string::npos);
}

TEST_F(IoFaults, NameWithANulByteIsRefused) {
    using namespace std::string_literals;
    std::string console = run("4\nbulletins.txt\0zz\n1\ngfs_model.txt\0\n6\n"s);
    EXPECT_EQ(count_of(console, missing), 2u);
    EXPECT_EQ(console.find("You have a valid file."), std::string::npos);
}

// Words of any length are taken whole and never held whole: a menu word is echoed as it
// is read, a file name longer than any path is missing, and a number that long is none.
// (bench/bench.sh measures the memory.)
TEST_F(IoFaults, HugeWordsAreTakenWhole) {
    const std::string word(1 << 20, '#'), name(1 << 20, 'n'), number(1 << 20, '7');
    std::string console = run(word + "\n1\n" + name + "\n4\nbulletins.txt\n" + number + "\n6\n");
    EXPECT_EQ(exit_code, 0);
    const std::size_t echo = console.find('#');
    ASSERT_NE(echo, std::string::npos);
    EXPECT_EQ(console.compare(echo, word.size() + 8, word + "\nIllegal"), 0);
    EXPECT_EQ(std::count(console.begin(), console.end(), '#'), 1 << 20);
    EXPECT_EQ(count_of(console, missing), 1u);
    EXPECT_EQ(count_of(console, "The ETA model weight must be a number."), 1u);
}

// A file that shrinks after it was found valid: the readers see a truncated copy at the
// positions the validator found in the whole file. Whatever they accept must be what the
// whole file holds.
TEST_F(IoFaults, TruncatedBulletinFileGivesNoInventedValues) {
    std::string whole = contents(dir / "bulletins.txt");
    bulletin_layout layout;
    long long rows[bulletin_count * rows_per_bulletin];
    file_note fault;
    ASSERT_TRUE(validate_bulletin_file((dir / "bulletins.txt").c_str(), layout, fault));
    std::int32_t tp[4 * 12 + 4 * 12 + 4 * 25], sw[4 * 57 + 4 * 57 + 4 * 22];
    ASSERT_TRUE(
        read_temp_pop(tp, tp + 48, tp + 96, (dir / "bulletins.txt").c_str(), layout, rows, fault));
    ASSERT_TRUE(read_sky_wind(sw, sw + 228, sw + 456, (dir / "bulletins.txt").c_str(), layout, rows,
                              fault));
    const fs::path cut = dir / "cut.txt";
    for (std::size_t size = 0; size < whole.size(); size += 37) {
        SCOPED_TRACE("cut to " + std::to_string(size) + " bytes");
        put(cut, whole.substr(0, size));
        std::int32_t tp2[sizeof tp / sizeof tp[0]], sw2[sizeof sw / sizeof sw[0]];
        std::memcpy(tp2, tp, sizeof tp);
        std::memcpy(sw2, sw, sizeof sw);
        // A cut inside the very last number leaves a shorter number, which no reader can
        // tell from a whole one.
        bool inside_number = size > 0 && std::isdigit(static_cast<unsigned char>(whole[size])) &&
                             std::isdigit(static_cast<unsigned char>(whole[size - 1]));
        if (read_temp_pop(tp2, tp2 + 48, tp2 + 96, cut.c_str(), layout, rows, fault) &&
            !inside_number) {
            EXPECT_EQ(std::memcmp(tp, tp2, sizeof tp), 0);
        }
        if (read_sky_wind(sw2, sw2 + 228, sw2 + 456, cut.c_str(), layout, rows, fault) &&
            !inside_number) {
            EXPECT_EQ(std::memcmp(sw, sw2, sizeof sw), 0);
        }
    }
}

TEST_F(IoFaults, TruncatedModelFileGivesNoInventedRows) {
    std::string whole = contents(dir / "gfs_model.txt");
    const fs::path cut = dir / "cut.txt";
    std::string::size_type last_row = whole.rfind('[');
    ASSERT_NE(last_row, std::string::npos);
    for (std::size_t size = 0; size < whole.size(); size += 53) {
        SCOPED_TRACE("cut to " + std::to_string(size) + " bytes");
        put(cut, whole.substr(0, size));
        gfs_row rows[gfs_row_count];
        file_note fault;
        bool ok = read_gfs_rows(rows, cut.c_str(), fault);
        // Every row but the last ends inside the file; the last one's final value may be
        // cut short and still be a number, which only a complete file can rule out.
        if (size <= last_row) {
            EXPECT_FALSE(ok);
        }
    }
}

} // namespace

#endif
