// GRIB2 files read defensively: damaged and lying messages, made by the tests' writer,
// are refused before ecCodes decodes them.
#include "grib/gfs_point.h"
#include "grib/grib_message.h"
#include "grib2_writer.h"
#include "scratch_directory.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string write_file(const scratch_directory& dir, const std::string& name,
                       const std::string& bytes) {
    const std::string path = (dir.path / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// Reads every field of the file as gfs-point does, decoding those it may need; the
// refusal's words, or "" when all was read.
std::string read_all(const std::string& path) {
    grib_file file;
    fault why;
    if (!open_grib_file(path, file, why)) return why.what;
    message_keys keys{};
    for (;;) {
        const grib_next next = next_grib_field(file, keys, why);
        if (next == grib_next::end) return "";
        if (next == grib_next::refused) return why.what;
        if (is_gfs_candidate(keys) && !decode_grib_field(file, keys, why)) return why.what;
    }
}

// The 2 m temperature of hour 6 with its sections as given.
std::string t2m(const std::vector<std::string>& sections) {
    return grib2::message(sections);
}

std::vector<std::string> t2m_sections(const std::vector<std::string>& data) {
    std::vector<std::string> s = {grib2::identification(20261209, 12), grib2::test_grid(),
                                  grib2::product(0, 0, 103, 2, 6)};
    s.insert(s.end(), data.begin(), data.end());
    return s;
}

std::vector<double> grid_values(long count) {
    std::vector<double> v(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < v.size(); ++i) v[i] = 270 + 0.01 * static_cast<double>(i);
    return v;
}

// Sections 5 to 7 of PNG packing (template 5.41) of values of bits bits whose image of
// the grid's size, in 16-bit grey, has a data chunk of the length given, then the end
// chunk and tail.
std::vector<std::string> png_data(std::uint64_t chunk, char bits = 16,
                                  const std::string& tail = "") {
    const std::string header = grib2::bytes(grib2::test_ni, 4) + grib2::bytes(grib2::test_nj, 4) +
                               '\x10' + std::string(4, '\0');
    const std::string image = "\x89PNG\r\n\x1a\n" + grib2::bytes(13, 4) + "IHDR" + header +
                              grib2::bytes(0, 4) + grib2::bytes(chunk, 4) + "IDAT" +
                              std::string(16, '\0') + grib2::bytes(0, 4) + "IEND" +
                              grib2::bytes(0, 4) + tail;
    return {grib2::section(5, grib2::bytes(grib2::test_ni * grib2::test_nj, 4) +
                                  grib2::bytes(41, 2) + grib2::float_bytes(270) +
                                  grib2::bytes(0, 4) + bits + '\0'),
            grib2::section(6, "\xff"), grib2::section(7, image)};
}

// Runs vuzazav-cli with args in dir; its exit status (-1 after a signal) and its peak
// memory in kilobytes.
struct ended {
    int status;
    long peak_kb;
};
ended run_cli(const scratch_directory& dir, const std::vector<std::string>& args) {
    const std::string cli = VUZAZAV_CLI;
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(dir.path.c_str()) != 0) _exit(127);
        std::freopen("/dev/null", "w", stderr);
        std::vector<char*> argv = {const_cast<char*>(cli.c_str())};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(cli.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, usage.ru_maxrss};
}

} // namespace

TEST(GribMessage, DamagedOrLyingMessagesAreRefusedWithTheirPlace) {
    const std::vector<std::string> sound = t2m_sections(grib2::simple_data(grid_values(357)));
    auto changed = [&](std::size_t i, const std::string& to) {
        std::vector<std::string> s = sound;
        s[i] = to;
        return t2m(s);
    };
    const std::string whole = t2m(sound);
    // 68 by 50 points, of which the data hold 357.
    std::vector<std::string> short_data = sound;
    short_data[1] = grib2::lat_lon_grid(68, 50, 46, 260, 42, 265, 5.0 / 67, 4.0 / 49);
    short_data[3] = grib2::simple_data(grid_values(357), {}, 3400)[0];
    std::vector<std::string> claims_more = t2m_sections(grib2::simple_data(grid_values(357)));
    claims_more[3] = grib2::simple_data(grid_values(357), {}, 3400)[0];
    struct {
        const char* what;
        std::string message;
        const char* says;
    } const cases[] = {
        {"section 1 longer than the message", changed(0, grib2::with_length(sound[0], 5000)),
         "section 1's length 5000 runs past the message's end"},
        {"section 1 of length 0", changed(0, grib2::with_length(sound[0], 0)),
         "section 1's length 0 is too short"},
        {"section 3 a byte longer", changed(1, grib2::with_length(sound[1], 73)), "section"},
        {"section 4 a byte shorter", changed(2, grib2::with_length(sound[2], 33)), "section"},
        {"section 5 longer", changed(3, grib2::with_length(sound[3], 4000)), "runs past"},
        {"section 6 of length 5", changed(4, grib2::with_length(sound[4], 5)), "too short"},
        {"section 7 longer", changed(5, grib2::with_length(sound[5], 1 << 30)), "runs past"},
        {"sections out of order", t2m({sound[0], sound[2], sound[1], sound[3], sound[4], sound[5]}),
         "section 4 follows section 1"},
        {"message length 0", whole.substr(0, 8) + grib2::bytes(0, 8) + whole.substr(16),
         "is too short"},
        {"message length 20 short",
         whole.substr(0, 8) + grib2::bytes(whole.size() - 20, 8) + whole.substr(16),
         "section 7's length"},
        {"no 7777", whole.substr(0, whole.size() - 4) + "7776", "no \"7777\""},
        {"Ni of 100000",
         changed(1, grib2::lat_lon_grid(100000, 17, 46, 260, 42, 265, 0.25, 0.25, 357)),
         "its grid of 100000 by 17 points claims 357"},
        {"3400 points, 357 values held", t2m(short_data), "run past its data"},
        {"section 5 claims 3400 values", t2m(claims_more), "holds 3400 values for 357 points"},
        {"a bitmap short of the grid",
         t2m(t2m_sections({sound[3],
                           grib2::section(6, std::string(1, '\0') + std::string(10, '\xff')),
                           sound[5]})),
         "bitmap of 10 bytes is short of its 357 points"},
        {"a previous bitmap that is not there",
         t2m(t2m_sections({sound[3], grib2::section(6, "\xfe"), sound[5]})), "bitmap from before"},
        {"a gaussian grid",
         changed(1, grib2::section(3, sound[1].substr(5, 7) + grib2::bytes(40, 2) +
                                          sound[1].substr(14))),
         "the grid is regular_gg"},
        {"JPEG packing in fewer bytes than it needs",
         t2m(t2m_sections(
             {grib2::section(5, sound[3].substr(5, 4) + grib2::bytes(40, 2) + std::string(5, '\0')),
              sound[4], sound[5]})),
         "packing template 5.40 in 16 bytes"},
        {"a PNG chunk longer than the data", t2m(t2m_sections(png_data(100000))),
         "its PNG image runs past its data"},
        {"a PNG image of 16-bit pixels for 8-bit values", t2m(t2m_sections(png_data(12, 8))),
         "16-bit pixels do not hold values of 8 bits"},
        {"bytes after a PNG image's end", t2m(t2m_sections(png_data(12, 16, "xyz"))),
         "3 bytes follow its PNG image's end"},
    };
    scratch_directory dir;
    const std::string before = grib2::field_message(grib2::gfs_fields()[0], 6);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = write_file(dir, "one.grib2", before + c.message + before);
        const std::string what = read_all(path);
        EXPECT_NE(what.find("message 2 (at byte " + std::to_string(before.size()) + "): "),
                  std::string::npos)
            << what;
        EXPECT_NE(what.find(c.says), std::string::npos) << what;
        // In the middle of a run that is whole without it, the message refuses the run.
        write_file(dir, "run.grib2", grib2::gfs_run(6, 144) + c.message + grib2::gfs_run(150));
        EXPECT_EQ(run_cli(dir, {"gfs-point", "run.grib2"}).status, 1);
        EXPECT_FALSE(fs::exists(dir.path / "gfs_model.txt"));
    }
    write_file(dir, "run.grib2", grib2::gfs_run());
    EXPECT_EQ(run_cli(dir, {"gfs-point", "run.grib2"}).status, 0);
}

TEST(GribMessage, AHugeClaimIsRefusedInBoundedMemory) {
    // A CCSDS-packed message of some kilobytes that claims 10000 by 10000 points.
    const std::string ccsds = grib2::section(
        5, grib2::bytes(100000000, 4) + grib2::bytes(42, 2) + grib2::float_bytes(270) +
               grib2::bytes(0, 4) + '\x10' + '\0' + '\x0e' + '\x20' + grib2::bytes(128, 2));
    const std::string claim =
        grib2::message({grib2::identification(20261209, 12),
                        grib2::lat_lon_grid(10000, 10000, 90, 0, -90, 359.964, 0.036, 0.018),
                        grib2::product(0, 0, 103, 2, 6), ccsds, grib2::section(6, "\xff"),
                        grib2::section(7, std::string(58000, '\x5a'))});
    scratch_directory dir;
    write_file(dir, "claim.grib2", claim);
    EXPECT_NE(read_all((dir.path / "claim.grib2").string()).find("claims 100000000 points"),
              std::string::npos);
    const ended run = run_cli(dir, {"gfs-point", "claim.grib2"});
    EXPECT_EQ(run.status, 1);
    EXPECT_LT(run.peak_kb, 100 * 1024);
}

TEST(GribMessage, FieldsOfOneMessageAreReadApart) {
    // The winds of every hour in one message each, the v-wind taking the u-wind's bitmap.
    std::vector<double> values(grib2::test_ni * grib2::test_nj, 3);
    std::vector<bool> bitmap(values.size(), true);
    bitmap[0] = false;
    values.pop_back();
    std::string separate, together;
    for (long hour = 6; hour <= 288; hour += 6) {
        for (const grib2::field& f : grib2::gfs_fields()) {
            const std::string m = grib2::field_message(f, hour);
            separate += m;
            if (f.category != 2) together += m;
        }
        const std::vector<std::string> u = grib2::simple_data(values, bitmap);
        std::vector<double> v_values(values.size(), -4);
        const std::vector<std::string> v = grib2::simple_data(v_values, {});
        together += grib2::message({grib2::identification(20261209, 12), grib2::test_grid(),
                                    grib2::product(2, 2, 103, 10, hour), u[0], u[1], u[2],
                                    grib2::product(2, 3, 103, 10, hour), v[0],
                                    grib2::section(6, "\xfe"), v[2]});
    }
    scratch_directory dir;
    gfs_point_series one{}, other{};
    std::vector<std::string> notes;
    fault why;
    ASSERT_TRUE(load_gfs_point({{write_file(dir, "a", separate)}}, one, notes, why)) << why.what;
    ASSERT_TRUE(load_gfs_point({{write_file(dir, "b", together)}}, other, notes, why)) << why.what;
    EXPECT_EQ(format_gfs_model_file(other), format_gfs_model_file(one));
    EXPECT_EQ(other.rows[0].wind_dir, 323);
}
