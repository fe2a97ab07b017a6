// daily as a scheduler runs it: the real program with cron's PATH in a scratch folder,
// against the tests' server on 127.0.0.1.
#include "scratch_directory.h"
#include "test_server.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::set<std::string> names_in(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// vuzazav-cli ARGS in folder with PATH=/usr/bin:/bin and today's date; its standard
// output and error are left in out and err. Returns its exit status.
int run_as_cron(const fs::path& folder, const std::string& today, std::vector<std::string> args,
                const fs::path& out, const fs::path& err) {
    args.insert(args.begin(), VUZAZAV_CLI);
    std::vector<std::string> env = {"PATH=/usr/bin:/bin", "VUZAZAV_TODAY=" + today};
    const pid_t pid = fork();
    if (pid == 0) {
        const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (o < 0 || e < 0 || dup2(o, 1) < 0 || dup2(e, 2) < 0 || chdir(folder.c_str()) != 0)
            _exit(126);
        std::vector<char*> argv, envp;
        for (std::string& a : args) argv.push_back(a.data());
        for (std::string& v : env) envp.push_back(v.data());
        argv.push_back(nullptr);
        envp.push_back(nullptr);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    int status = -1;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(RunDaily, MakesAWholeDatedDayOrNothing) {
    scratch_directory scratch;
    const fs::path com = scratch.path / "server/com", cron = scratch.path / "cron";
    const fs::path out = scratch.path / "out", err = scratch.path / "err";
    const fs::path source = source_path();
    fs::create_directories(com / "blend/prod/blend.20100304/12/text");
    fs::create_directories(com / "gfs_mos/prod/gfs_mos.20100304");
    fs::create_directories(cron);
    fs::copy_file(source / "tests/e2e/cases/cli_assemble_nbs/input/nbs.txt",
                  com / "blend/prod/blend.20100304/12/text/blend_nbstx.t12z");
    fs::copy_file(source / "examples/products/mav-nc1.txt",
                  com / "gfs_mos/prod/gfs_mos.20100304/mdl_gfsmav.t12z");
    fs::copy_file(source / "examples/products/mex-nc1.txt",
                  com / "gfs_mos/prod/gfs_mos.20100304/mdl_gfsmex.t00z");
    test_server server(scratch.path / "server", scratch.path / "log", {});
    const std::vector<std::string> daily = {"daily", "--from", server.base, "--eta-weight", "0.5"};

    ASSERT_EQ(run_as_cron(cron, "2010-03-04", daily, out, err), 0) << contents(err);
    EXPECT_EQ(names_in(cron), std::set<std::string>{"20100304"});
    EXPECT_EQ(names_in(cron / "20100304"),
              (std::set<std::string>{"blend_nbstx.t12z", "mdl_gfsmav.t12z", "mdl_gfsmex.t00z",
                                     "bulletins.txt", "bulletins.out", "forecast.json",
                                     "forecast.svg", "periods.txt"}));
    EXPECT_EQ(contents(cron / "20100304/bulletins.txt"),
              contents(source / "tests/e2e/cases/cli_assemble_nbs/output/today.txt"));
    for (const fs::path& log : {out, err}) {
        std::istringstream lines(contents(log));
        int count = 0;
        for (std::string line; std::getline(lines, line); ++count)
            EXPECT_TRUE(line.size() >= 21 && line[10] == 'T' && line.compare(19, 2, "Z ") == 0)
                << line; // "2026-12-15T15:30:02Z "
        EXPECT_GT(count, 5);
    }

    // A day that is there is complete: nothing is asked again.
    const std::size_t asked = server.requests().size();
    ASSERT_EQ(run_as_cron(cron, "2010-03-04", daily, out, err), 0) << contents(err);
    EXPECT_EQ(server.requests().size(), asked);

    // No products of the day: nothing issued, nothing left, the archive made all the same.
    std::vector<std::string> elsewhere = daily;
    elsewhere.insert(elsewhere.end(), {"--archive", "a/b"});
    EXPECT_EQ(run_as_cron(cron, "2010-03-05", elsewhere, out, err), 4);
    EXPECT_EQ(contents(out), "");
    EXPECT_TRUE(names_in(cron / "a/b").empty());
}

} // namespace
