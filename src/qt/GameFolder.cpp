#include "qt/GameFolder.h"

#include <system_error>

namespace q {

namespace fs = std::filesystem;

fs::path GameFolder(const char* xdgDataHome, const fs::path& home) {
    const fs::path base = xdgDataHome && fs::path(xdgDataHome).is_absolute() ? fs::path(xdgDataHome)
                                                                              : home / ".local" / "share";
    return base / "quorvane";
}

bool EnterGameFolder(const fs::path& folder, std::string& error) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!ec) fs::current_path(folder, ec);
    if (ec) error = ec.message();
    return !ec;
}

fs::path FindFileIn(const std::vector<fs::path>& folders, const std::string& name) {
    for (const fs::path& folder : folders) {
        std::error_code ec;
        const fs::path file = folder / name;
        if (fs::is_regular_file(file, ec)) return fs::absolute(file, ec).lexically_normal();
    }
    return {};
}

}  // namespace q
