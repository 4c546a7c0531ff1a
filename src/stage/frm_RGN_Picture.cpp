#include "stage/frm_RGN_Picture.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string_view>

#if defined(__linux__)
#include <link.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#endif

namespace q {

namespace {

constexpr char KeepPixel = '-';  // in an overlay: leave the pixel below

struct AssetError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The lines of an embedded text, as views into it: the texts live as long as
// the program, and decoding copies none of them.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

std::vector<std::string> Words(std::string_view line) {
    std::vector<std::string> words;
    std::istringstream in{std::string(line)};
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

int ToInt(const std::string& s, const std::string& where) {
    int v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size()) throw AssetError(where + ": not a number: " + s);
    return v;
}

// A palette in declaration order: symbol -> colour (none: past the table).
struct Palette {
    std::vector<std::pair<char, std::optional<std::uint32_t>>> entries;

    int Find(char sym) const {
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i].first == sym) return int(i);
        return -1;
    }
    // Replaces the colour of a symbol, or adds the symbol.
    void Set(char sym, std::optional<std::uint32_t> colour) {
        int i = Find(sym);
        if (i >= 0) entries[size_t(i)].second = colour;
        else entries.emplace_back(sym, colour);
    }
};

// A picture while it is being derived: symbols over a palette.
struct SymbolPicture {
    int width = 0, height = 0;
    Palette palette;
    std::string pixels;  // width * height symbols
};

// One parsed asset file: its palette, its picture blocks and its overlay.
struct ParsedFile {
    Palette palette;
    std::map<int, std::vector<std::string_view>> pictures;
    std::vector<std::string_view> overlay;
    bool hasOverlay = false;
};

ParsedFile ParseFile(const std::string& path, const char* text) {
    ParsedFile f;
    const auto lines = Lines(text);
    size_t i = 0;
    auto where = [&] { return path + ":" + std::to_string(i + 1); };
    while (i < lines.size()) {
        const std::string_view line = lines[i];
        if (line.empty() || line[0] == '#') {
            ++i;
            continue;
        }
        const auto w = Words(line);
        if (w.empty()) {
            ++i;
            continue;
        }
        if (w[0] == "palette") {
            for (++i; i < lines.size() && lines[i] != "end"; ++i) {
                if (lines[i].empty() || lines[i][0] == '#') continue;
                const auto e = Words(lines[i]);
                if (e.empty() || e[0].size() != 1) throw AssetError(where() + ": a palette entry starts with one symbol");
                const char sym = e[0][0];
                if (sym == KeepPixel) throw AssetError(where() + ": '-' is not a palette symbol");
                if (e.size() == 2 && e[1] == "none") {
                    f.palette.Set(sym, std::nullopt);
                } else if (e.size() == 4) {
                    const int r = ToInt(e[1], where()), g = ToInt(e[2], where()), b = ToInt(e[3], where());
                    if (r < 0 || r > 255 || g < 0 || g > 255 || b < 0 || b > 255)
                        throw AssetError(where() + ": a colour component lies in 0..255");
                    f.palette.Set(sym, std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b));
                } else {
                    throw AssetError(where() + ": a palette entry is SYMBOL R G B or SYMBOL none");
                }
            }
            if (i == lines.size()) throw AssetError(path + ": palette without end");
            ++i;
        } else if (w[0] == "picture" || w[0] == "overlay") {
            std::vector<std::string_view> rows;
            const bool overlay = w[0] == "overlay";
            int number = -1;
            if (!overlay) {
                if (w.size() != 2) throw AssetError(where() + ": picture N");
                number = ToInt(w[1], where());
            }
            for (++i; i < lines.size() && lines[i] != "end"; ++i) rows.push_back(lines[i]);
            if (i == lines.size()) throw AssetError(path + ": " + w[0] + " without end");
            ++i;
            if (overlay) {
                f.overlay = std::move(rows);
                f.hasOverlay = true;
            } else {
                f.pictures[number] = std::move(rows);
            }
        } else {
            throw AssetError(where() + ": unknown line: " + std::string(line));
        }
    }
    return f;
}

class Decoder {
public:
    explicit Decoder(std::span<const AssetFile> files) {
        for (const auto& f : files) texts_[f.path] = f.text;
    }

    std::vector<SpriteInfo> ReadManifest() {
        auto it = texts_.find("manifest.txt");
        if (it == texts_.end()) throw AssetError("manifest.txt is missing");
        std::vector<SpriteInfo> infos(SpriteCount);
        const auto lines = Lines(it->second);
        for (size_t i = 0; i < lines.size(); ++i) {
            const std::string where = "manifest.txt:" + std::to_string(i + 1);
            if (lines[i].empty() || lines[i][0] == '#') continue;
            const auto w = Words(lines[i]);
            if (w.empty()) continue;
            if (w.size() < 6) throw AssetError(where + ": NUMBER WxH BITS LAYOUT SOURCE...");
            SpriteInfo info;
            info.number = ToInt(w[0], where);
            const auto x = w[1].find('x');
            if (x == std::string::npos) throw AssetError(where + ": size is WxH");
            info.width = ToInt(w[1].substr(0, x), where);
            info.height = ToInt(w[1].substr(x + 1), where);
            info.bits = ToInt(w[2], where);
            info.layout = w[3];
            for (size_t k = 4; k < w.size(); ++k) info.source += (k > 4 ? " " : "") + w[k];
            if (info.number < 0 || info.number >= SpriteCount) throw AssetError(where + ": no such sprite number");
            if (infos[size_t(info.number)].number >= 0) throw AssetError(where + ": sprite listed twice");
            infos[size_t(info.number)] = info;
        }
        return infos;
    }

    // The symbol picture of sprite n, derived afresh from its source: none is
    // kept, so decoding the whole set never holds every picture twice.
    SymbolPicture Symbols(int n, const std::vector<SpriteInfo>& infos) {
        if (n < 0 || n >= int(infos.size())) throw AssetError("sprite " + std::to_string(n) + " is not in the set");
        if (busy_[size_t(n)]) throw AssetError("sprite " + std::to_string(n) + " is derived from itself");
        busy_[size_t(n)] = true;
        struct Release {
            bool& flag;
            ~Release() { flag = false; }
        } release{busy_[size_t(n)]};
        const SpriteInfo& info = infos[size_t(n)];
        if (info.number < 0) throw AssetError("sprite " + std::to_string(n) + " is not in the manifest");
        const std::string where = "sprite " + std::to_string(n);
        const auto w = Words(info.source);
        SymbolPicture pic;
        size_t k = 0;
        if (w.size() >= 2 && w[0] == "draw") {
            const ParsedFile& f = File(w[1]);
            auto it = f.pictures.find(n);
            if (it == f.pictures.end()) throw AssetError(where + ": " + w[1] + " has no picture " + std::to_string(n));
            pic.palette = f.palette;
            pic.height = int(it->second.size());
            pic.width = pic.height ? int(it->second[0].size()) : 0;
            for (const auto& row : it->second) {
                if (int(row.size()) != pic.width) throw AssetError(where + ": rows of " + w[1] + " differ in length");
                pic.pixels += row;
            }
            k = 2;
        } else if (w.size() >= 2 && w[0] == "from") {
            const int from = ToInt(w[1], where);
            if (from < 0 || from >= SpriteCount) throw AssetError(where + ": no sprite " + w[1]);
            pic = Symbols(from, infos);
            k = 2;
        } else {
            throw AssetError(where + ": the source is draw FILE or from N OPS...");
        }
        while (k < w.size()) {
            const std::string& op = w[k++];
            if (op == "mirror") {
                for (int y = 0; y < pic.height; ++y) {
                    auto row = pic.pixels.begin() + std::ptrdiff_t(y) * pic.width;
                    std::reverse(row, row + pic.width);
                }
            } else if (op == "recolour" && k < w.size()) {
                const ParsedFile& f = File(w[k++]);
                for (const auto& [sym, colour] : f.palette.entries) pic.palette.Set(sym, colour);
            } else if (op == "overlay" && k < w.size()) {
                const std::string& path = w[k++];
                const ParsedFile& f = File(path);
                if (!f.hasOverlay) throw AssetError(where + ": " + path + " has no overlay");
                for (const auto& [sym, colour] : f.palette.entries) pic.palette.Set(sym, colour);
                if (int(f.overlay.size()) != pic.height) throw AssetError(where + ": " + path + " is not of the picture's size");
                for (int y = 0; y < pic.height; ++y) {
                    const std::string_view row = f.overlay[size_t(y)];
                    if (int(row.size()) != pic.width) throw AssetError(where + ": " + path + " is not of the picture's size");
                    for (int x = 0; x < pic.width; ++x)
                        if (row[size_t(x)] != KeepPixel) pic.pixels[size_t(y * pic.width + x)] = row[size_t(x)];
                }
            } else {
                throw AssetError(where + ": unknown operation " + op);
            }
        }
        return pic;
    }

private:
    const ParsedFile& File(const std::string& path) {
        if (auto it = parsed_.find(path); it != parsed_.end()) return it->second;
        auto t = texts_.find(path);
        if (t == texts_.end()) throw AssetError("no file " + path);
        return parsed_.emplace(path, ParseFile(path, t->second)).first->second;
    }

    std::map<std::string, const char*> texts_;
    std::map<std::string, ParsedFile> parsed_;
    std::array<bool, SpriteCount> busy_{};
};

SpritePicture Colour(const SymbolPicture& s, const SpriteInfo& info) {
    const std::string where = "sprite " + std::to_string(info.number);
    if (s.width != info.width || s.height != info.height)
        throw AssetError(where + ": the picture is " + std::to_string(s.width) + "x" + std::to_string(s.height) +
                         ", the manifest says " + std::to_string(info.width) + "x" + std::to_string(info.height));
    std::array<int, 256> index{};
    index.fill(-1);
    for (size_t i = 0; i < s.palette.entries.size(); ++i) index[static_cast<unsigned char>(s.palette.entries[i].first)] = int(i);
    SpritePicture p;
    p.width = s.width;
    p.height = s.height;
    p.bits = info.bits;
    for (const auto& e : s.palette.entries)
        if (e.second) ++p.tableSize;
    p.palette.reserve(s.palette.entries.size());
    for (const auto& e : s.palette.entries) p.palette.push_back(e.second ? *e.second : PastTable);
    p.index.resize(s.pixels.size());
    for (size_t i = 0; i < s.pixels.size(); ++i) {
        const int k = index[static_cast<unsigned char>(s.pixels[i])];
        if (k < 0) throw AssetError(where + ": symbol '" + std::string(1, s.pixels[i]) + "' is not in the palette");
        p.index[i] = static_cast<std::uint8_t>(k);
    }
    return p;
}

// The embedded texts are read once, to decode the game's set: their pages of
// the program's image go back to the system afterwards (anything that reads
// them again has them read back from the program's file). Only pages that
// lie wholly inside the texts and inside a read-only part of the program are
// given back.
void ReleaseTexts(std::span<const AssetFile> files) {
#if defined(__linux__)
    if (files.empty()) return;
    std::uintptr_t lo = UINTPTR_MAX, hi = 0;
    for (const auto& f : files) {
        const auto at = reinterpret_cast<std::uintptr_t>(f.text);
        lo = std::min(lo, at);
        hi = std::max(hi, at + std::strlen(f.text));
    }
    const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    struct Range {
        std::uintptr_t lo, hi;
        bool readOnly = false;
    } range{(lo + page - 1) / page * page, hi / page * page};
    if (range.hi <= range.lo) return;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            auto& r = *static_cast<Range*>(data);
            for (int i = 0; i < info->dlpi_phnum; ++i) {
                const auto& ph = info->dlpi_phdr[i];
                const std::uintptr_t start = info->dlpi_addr + ph.p_vaddr;
                if (ph.p_type == PT_LOAD && start <= r.lo && r.hi <= start + ph.p_memsz) {
                    r.readOnly = !(ph.p_flags & PF_W);
                    return 1;
                }
            }
            return 0;
        },
        &range);
    if (range.readOnly) madvise(reinterpret_cast<void*>(range.lo), range.hi - range.lo, MADV_DONTNEED);
#else
    (void)files;
#endif
}

}  // namespace

PictureSet PictureSet::Decode(std::span<const AssetFile> files, int count) {
    PictureSet set;
    set.pictures_.resize(size_t(count));
    set.infos_.resize(size_t(count));
    Decoder decoder(files);
    try {
        set.infos_ = decoder.ReadManifest();
        set.infos_.resize(size_t(count));
    } catch (const AssetError& e) {
        set.errors_.push_back(e.what());
        return set;
    }
    for (int n = 0; n < count; ++n) {
        if (set.infos_[size_t(n)].number < 0) {
            set.errors_.push_back("sprite " + std::to_string(n) + " is not in the manifest");
            continue;
        }
        try {
            set.pictures_[size_t(n)] = Colour(decoder.Symbols(n, set.infos_), set.infos_[size_t(n)]);
        } catch (const AssetError& e) {
            set.errors_.push_back(e.what());
        }
    }
    return set;
}

const SpritePicture& PictureSet::pPicture(int n) const {
    static const SpritePicture none;
    return n >= 0 && n < int(pictures_.size()) ? pictures_[size_t(n)] : none;
}

const SpriteInfo& PictureSet::Info(int n) const {
    static const SpriteInfo none;
    return n >= 0 && n < int(infos_.size()) ? infos_[size_t(n)] : none;
}

const SpriteInfo& frm_RGN_Picture::Info(int n) {
    static const std::vector<SpriteInfo> infos = [] {
        try {
            return Decoder(SpriteAssets()).ReadManifest();
        } catch (const AssetError&) {
            return std::vector<SpriteInfo>();  // the decode reports it
        }
    }();
    static const SpriteInfo none;
    return n >= 0 && n < int(infos.size()) ? infos[size_t(n)] : none;
}

const PictureSet& frm_RGN_Picture::Get() {
    static const PictureSet set = [] {
        PictureSet decoded = PictureSet::Decode(SpriteAssets());
        ReleaseTexts(SpriteAssets());
        return decoded;
    }();
    return set;
}

}  // namespace q
