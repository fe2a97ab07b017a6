#include "files/same_file.h"

#include "files/follow_links.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <cwctype>
#endif

namespace fs = std::filesystem;

// Where the file name is, or would be once written: its links followed, its folder
// resolved, its own name kept (it need not exist).
static fs::path place_of(const std::string& name) {
    fs::path path;
    std::string why;
    // A link the writer refuses to follow is compared as it is named.
    if (!follow_links(name, path, why)) path = name;
    std::error_code ec;
    const fs::path leaf = path.filename();
    const bool is_folder = leaf.empty() || leaf == "." || leaf == "..";
    const fs::path folder = is_folder ? path : path.has_parent_path() ? path.parent_path() : ".";
    fs::path resolved = fs::weakly_canonical(folder, ec);
    if (ec) resolved = fs::absolute(folder, ec).lexically_normal();
    return is_folder ? resolved : resolved / leaf;
}

#ifdef _WIN32
static fs::path without_case(const fs::path& path) {
    std::wstring name = path.native();
    for (wchar_t& c : name) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return name;
}
#else
static const fs::path& without_case(const fs::path& path) {
    return path;
}
#endif

bool same_file(const std::string& a, const std::string& b) {
    if (a == b) return true;
    std::error_code ec;
    if (fs::equivalent(a, b, ec)) return true;
    return without_case(place_of(a)) == without_case(place_of(b));
}
