#include <array>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <system_error>

#include "core/Game.h"
#include "save/SaveCipher.h"
#include "save/SaveFile.h"
#include "save/SaveFormat.h"
#include "shop/frmOthers.h"

namespace q {

namespace {

constexpr std::size_t CipherCharBytes = 3;

// The most bytes a stored line can take: its longest plain line, three
// bytes a character, and CR LF.
constexpr std::size_t StoredMax(std::size_t plain) { return plain * CipherCharBytes + 2; }

// Lines 1 to 7 all lie within this many bytes from the start of the file.
constexpr std::size_t ReadLimit =
    std::accumulate(SaveLineMax.begin(), SaveLineMax.end(), std::size_t(0),
                    [](std::size_t sum, std::size_t plain) { return sum + StoredMax(plain); });

// The next line of `rest` without its line end (LF, or CR LF), or nothing
// when no line is left or it is longer than `maxPlain` cipher characters.
std::optional<std::string_view> NextLine(std::string_view& rest, std::size_t maxPlain) {
    if (rest.empty()) return std::nullopt;
    const std::size_t lf = rest.find('\n');
    std::string_view line = rest.substr(0, lf);
    rest = lf == std::string_view::npos ? std::string_view() : rest.substr(lf + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > maxPlain * CipherCharBytes) return std::nullopt;
    return line;
}

}  // namespace

bool LoadSaveText(Game& g, std::string_view bytes) {
    try {
        std::array<std::string, SaveLinesRead> plain;
        for (int n = 0; n < SaveLinesRead; ++n) {
            const auto stored = NextLine(bytes, SaveLineMax[size_t(n)]);
            if (!stored || !CipherLine(false, *stored, plain[size_t(n)])) return false;
        }

        // Everything is read into a copy; the game changes only when the
        // whole file is in order.
        GameState staged = g;
        SavedTables tables = GatherTables(g);
        if (!ReadSaveLines(plain, staged, tables)) return false;

        static_cast<GameState&>(g) = std::move(staged);
        ApplyTables(g, tables);
        if (g.SpeedFlg >= SpeedFast && g.SpeedFlg <= SpeedSlow) {
            ApplySpeed(g, g.SpeedFlg);
        } else if (g.SpeedInterval <= 0 || g.AutoWait <= 0) {
            // An unknown speed keeps the clock as it was; a clock that was
            // never set would stand still, so it runs at the normal speed.
            const Long unknown = g.SpeedFlg;
            ApplySpeed(g, SpeedNormal);
            g.SpeedFlg = unknown;
        }
        return true;
    } catch (...) {
        return false;  // out of memory: the file is refused, the game untouched
    }
}

bool LoadGame(Game& g, Integer Slot) {
    if (Slot != 1 && Slot != 2) return false;
    std::ifstream in(SaveFileName(Slot), std::ios::binary);
    if (!in) return false;
    // More than the seven lines the game needs is never read: a file that
    // does not hold them within this limit has a line that is too long.
    std::string bytes(ReadLimit, '\0');
    in.read(bytes.data(), std::streamsize(bytes.size()));
    if (in.bad()) return false;
    bytes.resize(std::size_t(in.gcount()));
    return LoadSaveText(g, bytes);
}

bool SaveFileExists(int fileNumber) {
    namespace fs = std::filesystem;
    const std::string name = SaveFileName(fileNumber);
    std::error_code ec;
    // The listing of the folder, so the name must match exactly.
    for (fs::directory_iterator it(".", ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ignored;
        if (it->path().filename() == name && it->is_regular_file(ignored)) return true;
    }
    return false;
}

}  // namespace q
