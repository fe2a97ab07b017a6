// The program under faults of the file system and of its input: it reports what it could
// not do, keeps what was there, and never makes a table of values a file did not hold.
#ifndef _WIN32

#include "count_of.h"
#include "scratch_directory.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdlib>
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

// Runs a shell command in dir and returns its exit status, or -1 when it did not exit.
int shell(const fs::path& dir, const std::string& command) {
    const int status = std::system(("cd '" + dir.string() + "' && " + command).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

const std::string cli = "'" + std::string(VUZAZAV_CLI) + "'";

// A damaged disk, as /proc/self/mem gives it (a read there fails with EIO), is a file that
// cannot be read: refused, nothing written, no abort.
TEST_F(IoFaults, ReadErrorIsRefusedLikeAnUnreadableFile) {
    fs::create_symlink("/proc/self/mem", dir / "week.txt");
    for (const char* option : {"4", "1"}) {
        SCOPED_TRACE(option);
        const std::string said = run(std::string(option) + "\nweek.txt\n0.7\n6\n");
        EXPECT_EQ(exit_code, 0);
        EXPECT_EQ(count_of(said, missing), 1u);
        EXPECT_NE(errors.find("vuzazav: week.txt: Input/output error"), std::string::npos);
        EXPECT_FALSE(fs::exists(dir / "week.out"));
    }
    EXPECT_EQ(shell(dir, cli + " forecast week.txt --eta-weight 0.7 2>/dev/null"), 1);
    EXPECT_EQ(shell(dir, cli + " gfs week.txt 2>/dev/null"), 1);
    EXPECT_FALSE(fs::exists(dir / "week.out"));
}

// A day table that cannot reach standard output is an output not written.
TEST_F(IoFaults, FullStandardOutputIsAFailure) {
    EXPECT_EQ(shell(dir, cli + " forecast bulletins.txt --eta-weight 0.7 >/dev/full 2>err.txt"), 3);
    EXPECT_NE(contents(dir / "err.txt")
                  .find("standard output could not be written: No space left on device"),
              std::string::npos);
    EXPECT_EQ(shell(dir, cli + " gfs gfs_model.txt >/dev/full 2>/dev/null"), 0); // prints nothing
    EXPECT_NE(shell(dir, "printf '4\\nbulletins.txt\\n0.7\\n6\\n' | '" + program_path() +
                             "' >/dev/full 2>/dev/null"),
              0);
}

// A reader that has gone ("| head -2" after its lines) once ended the run by SIGPIPE before
// the report was written; now only standard output fails, with its reason.
TEST_F(IoFaults, ClosedPipeOnStandardOutputStillWritesTheFiles) {
    int pipe_ends[2];
    ASSERT_EQ(pipe(pipe_ends), 0);
    close(pipe_ends[0]);
    const std::string said = (dir / "err.txt").string(), program = VUZAZAV_CLI;
    pid_t pid = fork();
    if (pid == 0) {
        // As a shell starts it: SIGPIPE as the default, whatever this process has.
        std::signal(SIGPIPE, SIG_DFL);
        if (chdir(dir.c_str()) != 0 || !freopen(said.c_str(), "w", stderr)) _exit(126);
        dup2(pipe_ends[1], STDOUT_FILENO);
        close(pipe_ends[1]);
        execl(program.c_str(), "vuzazav-cli", "forecast", "bulletins.txt", "--weight", "0.7",
              "--json", "f.json", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipe_ends[1]);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 3);
    EXPECT_TRUE(fs::exists(dir / "bulletins.out"));
    EXPECT_TRUE(fs::exists(dir / "f.json"));
    EXPECT_NE(contents(said).find("standard output could not be written: Broken pipe"),
              std::string::npos)
        << contents(said);
}

// An output is named from the file name's last three characters, never from its folder's.
TEST_F(IoFaults, ShortFileNameInAFolderIsRefused) {
    fs::create_directory(dir / "q");
    fs::copy_file(dir / "gfs_model.txt", dir / "q" / "z");
    const std::string said = run("1\nq/z\n6\n");
    EXPECT_EQ(count_of(said, "The file name must have at least 3 characters."), 1u);
    EXPECT_EQ(shell(dir, cli + " gfs q/z 2>/dev/null"), 1);
    EXPECT_FALSE(fs::exists(dir / "out"));
    EXPECT_EQ(shell(dir, cli + " gfs q/z -o q/table.out 2>/dev/null"), 0);
}

// Values that convert to no finite number are refused, never written as "-inf".
TEST_F(IoFaults, ValuesBeyondTheRangeOfTheTableAreRefused) {
    std::string model = contents(dir / "gfs_model.txt");
    const std::string::size_type row = model.find("[006]");
    ASSERT_NE(row, std::string::npos);
    // A 2 m temperature of -1e308 degrees C is a number, but none in Fahrenheit.
    put(dir / "huge.txt",
        model.substr(0, row) +
            "[006]  1030.9  -1e308  -11.5  -20.5  -33.6  522  70  0.0  10  329  7" +
            model.substr(model.find('\n', row)));
    const std::string said = run("1\nhuge.txt\n6\n");
    EXPECT_EQ(count_of(said, "Your file is in the incorrect format."), 1u);
    EXPECT_NE(errors.find(": its 2m Temp comes out as no finite number"), std::string::npos)
        << errors;
    EXPECT_FALSE(fs::exists(dir / "huge.out"));
    const std::string weighed = run("4\nbulletins.txt\n1e308\n6\n");
    EXPECT_EQ(count_of(weighed, "The ETA model weight must be a number."), 1u);
    EXPECT_EQ(weighed.find("nan"), std::string::npos);
    EXPECT_EQ(shell(dir, cli + " forecast bulletins.txt --eta-weight 1e308 2>/dev/null"), 2);
}

} // namespace

#endif
