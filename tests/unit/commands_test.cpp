#include "cli/commands.h"

#include "scratch_directory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const cli_option options[] = {{'o', "output", true, nullptr},
                              {0, "date", true, nullptr},
                              {0, "old-date", true, "date"},
                              {0, "quiet", false, nullptr}};

struct parse {
    bool ok;
    command_line parsed;
    std::string error;
};

parse parse_of(const std::vector<std::string>& args) {
    parse p{false, {}, ""};
    p.ok = parse_command_line(args, options, std::size(options), p.parsed, p.error);
    return p;
}

// vuzazav-cli run in a scratch directory that holds the two sample files, on string streams.
struct cli_run {
    scratch_directory scratch;
    std::ostringstream out, err;

    cli_run() {
        for (const char* sample : {"bulletins.txt", "gfs_model.txt"})
            fs::copy_file(fs::path(VUZAZAV_SOURCE_DIR) / "examples" / sample,
                          scratch.path / sample);
        fs::copy_file(scratch.path / "gfs_model.txt", scratch.path / "ab");
    }

    int operator()(const std::vector<std::string>& args) {
        const fs::path home = fs::current_path();
        fs::current_path(scratch.path);
        out.str("");
        err.str("");
        const int status = run_cli(args, out, diagnostics{&err, &out, "vuzazav-cli"});
        fs::current_path(home);
        return status;
    }
};

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> all;
    for (std::string word; in >> word;) all.push_back(word);
    return all;
}

} // namespace

TEST(ParseCommandLine, ValuesInEveryForm) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"-o", "x.out", "in.txt"},
                                                 {"-ox.out", "in.txt"},
                                                 {"--output", "x.out", "in.txt"},
                                                 {"in.txt", "--output=x.out"},
                                                 {"-o", "first.out", "in.txt", "-o", "x.out"}}) {
        parse p = parse_of(args);
        ASSERT_TRUE(p.ok) << p.error;
        EXPECT_EQ(p.parsed.options.at("output"), "x.out");
        EXPECT_EQ(p.parsed.operands, std::vector<std::string>{"in.txt"});
    }
    // A value may look like an option; "-" and everything after "--" are operands.
    parse p = parse_of({"--date", "-3", "-", "--", "-o", "--quiet"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.parsed.options.at("date"), "-3");
    EXPECT_EQ(p.parsed.operands, (std::vector<std::string>{"-", "-o", "--quiet"}));
    EXPECT_TRUE(parse_of({"-h"}).parsed.options.count("help"));
}

TEST(ParseCommandLine, SaysWhatIsWrong) {
    EXPECT_EQ(parse_of({"-x"}).error, "unknown option \"-x\"");
    EXPECT_EQ(parse_of({"--outputs=a"}).error, "unknown option \"--outputs\"");
    EXPECT_EQ(parse_of({"in.txt", "-o"}).error, "option --output needs a value");
    EXPECT_EQ(parse_of({"--quiet=yes"}).error, "option --quiet takes no value");
    EXPECT_FALSE(parse_of({"--date"}).ok);
    // An empty value names nothing, in every form it can be given.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"-o", ""}, {"--output="}, {"--output", "", "in.txt"}}) {
        parse p = parse_of(args);
        EXPECT_FALSE(p.ok);
        EXPECT_EQ(p.error, "option --output is given an empty value, which names nothing");
    }
}

// An option that applies to the files after it (verify's --station) knows where it stood;
// an option's other name is kept under its own, as it was written.
TEST(ParseCommandLine, OptionsKeepTheirPlaceAndName) {
    parse p = parse_of({"a.txt", "--date", "1", "b.txt", "c.txt", "--old-date=2", "--", "--date"});
    ASSERT_TRUE(p.ok) << p.error;
    ASSERT_EQ(p.parsed.given.size(), 2u);
    EXPECT_EQ(p.parsed.given[0].value, "1");
    EXPECT_EQ(p.parsed.given[0].operands_before, 1u);
    EXPECT_EQ(p.parsed.given[1].value, "2");
    EXPECT_EQ(p.parsed.given[1].operands_before, 3u);
    EXPECT_EQ(p.parsed.operands.size(), 4u);
    EXPECT_EQ(p.parsed.options.at("date"), "2");
    ASSERT_NE(last_given(p.parsed, "date"), nullptr);
    EXPECT_EQ(last_given(p.parsed, "date")->written, "--old-date");
}

// The exit status of every kind of outcome, which schedulers act on.
TEST(Commands, EachOutcomeHasItsStatus) {
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
        {"forecast bulletins.txt --weight 0,7", 2},
        // A script's weight outside 0 to 1 is refused; both ends are weights.
        {"forecast bulletins.txt --weight -0.5 -o minus.out", 2},
        {"forecast bulletins.txt --eta-weight 60", 2},
        {"forecast bulletins.txt --weight 1.0000001", 2},
        {"forecast bulletins.txt --weight 0 -o zero.out", 0},
        {"forecast bulletins.txt --eta-weight 1 -o one.out", 0},
        {"forecast missing.txt --weight 0.7", 1},
        {"forecast gfs_model.txt --weight 0.7", 1},
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
        {"forecast bulletins.txt --weight 0.7 --json bulletins.txt", 3},
        {"forecast bulletins.txt --weight 0.7 --csv bulletins.out", 3},
        {"forecast bulletins.txt --weight 0.7 --json f.json --csv f.json", 3},
        {"forecast bulletins.txt --weight 0.7 --chart f.svg --csv f.svg", 3},
        {"forecast bulletins.txt --weight 0.7 --csv no_such_directory/f.csv", 3},
        {"forecast bulletins.txt --weight 0.7 --chart f.svg --json f.json --csv f.csv", 0},
        {"forecast bulletins.txt --weight 0.7 --product bulletins.txt", 3},
        {"forecast bulletins.txt --weight 0.7 --product p.txt --json p.txt", 3},
        {"forecast bulletins.txt --weight 0.7 --flag-outlier x", 2},
        {"forecast bulletins.txt --weight 0.7 --flag-pop-difference -1", 2},
        {"forecast bulletins.txt --weight 0.7 --flag-temperature-difference 6F", 2},
        {"forecast bulletins.txt --weight 0.7 --flag-range 120,-60", 2},
        {"forecast bulletins.txt --weight 0.7 --flag-range -60", 2},
        {"forecast bulletins.txt --weight 0.7 --product p.txt --flag-range -70,130", 0},
        {"assemble", 2},
        {"assemble --date 13/40/2010 bulletins.txt", 2},
        {"assemble missing.txt", 1},
        {"assemble -o assembled.txt gfs_model.txt", 1},
    };
    cli_run cli;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        EXPECT_EQ(cli(words(c.args)), c.status);
    }
}

// An output named "" was once dropped with status 0, losing a crontab's archive: every
// option value of every command that names nothing is a usage error, and nothing is written.
TEST(Commands, EmptyOptionValuesAreUsageErrors) {
    cli_run cli;
    for (std::size_t k = 0; k < cli_command_count; ++k) {
        const cli_command* command = cli_commands[k];
        for (std::size_t i = 0; i < command->option_count; ++i) {
            const cli_option& option = command->options[i];
            if (!option.takes_value) continue;
            const std::string name = std::string("--") + option.long_name;
            SCOPED_TRACE(std::string(command->name) + " " + name);
            EXPECT_EQ(cli({command->name, "bulletins.txt", "--weight", "0.7", name, ""}), 2);
            EXPECT_EQ(cli({command->name, name + "=", "gfs_model.txt"}), 2);
            EXPECT_NE(cli.err.str().find(option.long_name), std::string::npos);
        }
    }
    EXPECT_EQ(cli({"forecast", "bulletins.txt", "--weight", "0.7", "-o", ""}), 2);
    EXPECT_EQ(std::distance(fs::directory_iterator(cli.scratch.path), fs::directory_iterator()), 3);
}

// The day table is written to the stream the command is given, never straight to the
// console; an option's older name is named as the user wrote it.
TEST(Commands, ForecastWritesTheStreamItIsGiven) {
    cli_run cli;
    ASSERT_EQ(cli({"forecast", "bulletins.txt", "--weight", "0.7"}), 0);
    EXPECT_EQ(cli.out.str().rfind("Day", 0), 0u) << cli.out.str();
    EXPECT_EQ(cli.err.str(), "vuzazav-cli: wrote bulletins.out\n");
    EXPECT_EQ(cli({"forecast", "bulletins.txt", "--eta-weight=7,0"}), 2);
    EXPECT_EQ(cli.err.str().find("vuzazav-cli: --eta-weight \"7,0\" is no number"),
              cli.err.str().find('\n') + 1);
    EXPECT_EQ(cli({"forecast", "bulletins.txt"}), 2);
    EXPECT_EQ(cli.err.str().rfind("vuzazav-cli: missing option --weight\n", 0), 0u);
}

// A newline in a name once split the "wrote" line in two; a huge word made a huge line.
TEST(Commands, MessagesAreSafeToPrint) {
    cli_run cli;
#ifndef _WIN32 // whose file names hold no line end
    ASSERT_EQ(cli({"gfs", "gfs_model.txt", "-o", "a\nb.out"}), 0);
    EXPECT_EQ(cli.err.str(), "vuzazav-cli: wrote a\\x0ab.out\n");
#endif
    const std::string huge(1 << 20, 'K');
    EXPECT_EQ(cli({"verify", "--station", huge, "obs.csv"}), 2);
    const std::string said = cli.err.str();
    EXPECT_EQ(said.substr(0, said.find('\n')),
              "vuzazav-cli: --station \"" + huge.substr(0, 40) +
                  "...\" (1048576 bytes) is none of KBKX, KHON, KMHE, KFSD");
}

namespace {

// VUZAZAV_TODAY set for a test's lifetime, standing in for the clock.
struct today_is {
    explicit today_is(const char* date) { put(date); }
    ~today_is() { put(""); }
    static void put(const char* date) {
#ifdef _WIN32
        _putenv(("VUZAZAV_TODAY=" + std::string(date)).c_str()); // an empty value removes it
#else
        if (*date)
            setenv("VUZAZAV_TODAY", date, 1);
        else
            unsetenv("VUZAZAV_TODAY");
#endif
    }
};

} // namespace

// A day without today's products once issued yesterday's guidance as today's: with
// --date today, lacking bulletins are "try later" (4), a broken product still 1; without
// a date the latest is taken, with a warning when it is not today's.
TEST(Commands, AssembleTodayRefusesOtherDays) {
    cli_run cli;
    for (const char* product : {"met-nc1.txt", "mav-nc1.txt", "mex-nc1.txt"})
        fs::copy_file(fs::path(VUZAZAV_SOURCE_DIR) / "examples" / "products" / product,
                      cli.scratch.path / product);
    const std::string products = " met-nc1.txt mav-nc1.txt mex-nc1.txt";
    const std::string first_line = "vuzazav-cli: not yet available: ";
    today_is today("2010-03-04");

    EXPECT_EQ(cli(words("assemble --date today -o a.txt met-nc1.txt mav-nc1.txt")), 4);
    EXPECT_EQ(cli.err.str().rfind(first_line + "today's guidance, 3/04/2010 (UTC), lacks "
                                               "bulletins:\nvuzazav-cli: missing KBKX GFSX",
                                  0),
              0u)
        << cli.err.str();
    EXPECT_EQ(cli(words("assemble --date today -o a.txt gfs_model.txt")), 4);
    EXPECT_NE(cli.err.str().find("they hold no guidance bulletin"), std::string::npos);
    EXPECT_EQ(cli(words("assemble --date today -o a.txt missing.txt" + products)), 1);
    EXPECT_EQ(cli(words("assemble --date 2010-03-05 -o a.txt" + products)), 1);
    EXPECT_FALSE(fs::exists(cli.scratch.path / "a.txt"));

    ASSERT_EQ(cli(words("assemble -o a.txt" + products)), 0);
    EXPECT_EQ(cli.err.str().find("not today's"), std::string::npos);
    today_is::put("2010-03-06");
    ASSERT_EQ(cli(words("assemble -o b.txt" + products)), 0);
    EXPECT_NE(cli.err.str().find("vuzazav-cli: 3/04/2010, the latest date of the products, is "
                                 "not today's date, 3/06/2010 (UTC)"),
              std::string::npos)
        << cli.err.str();
    today_is::put("2010-3-6");
    EXPECT_EQ(cli(words("assemble -o c.txt" + products)), 2);
    EXPECT_FALSE(fs::exists(cli.scratch.path / "c.txt"));
}
