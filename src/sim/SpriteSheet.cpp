// quorvane-sheet: a contact sheet of every sprite picture with its number,
// so the art can be reviewed without running the game. Each picture is shown
// twice its size; what lies outside its outline is drawn as a grey
// checkerboard, so the outline shows as well as the pixels.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "sim/PngWriter.h"
#include "stage/RegionRecord.h"
#include "stage/frm_RGN_Picture.h"

namespace {

constexpr int Columns = 16;
constexpr int Scale = 2;
constexpr int CellW = 66 * Scale + 8;
constexpr int CellH = 34 * Scale + 24;

// Digits of 3 x 5 pixels.
constexpr const char* Digits[10][5] = {
    {"###", "#.#", "#.#", "#.#", "###"}, {".#.", "##.", ".#.", ".#.", "###"}, {"###", "..#", "###", "#..", "###"},
    {"###", "..#", "###", "..#", "###"}, {"#.#", "#.#", "###", "..#", "..#"}, {"###", "#..", "###", "..#", "###"},
    {"###", "#..", "###", "#.#", "###"}, {"###", "..#", "..#", "..#", "..#"}, {"###", "#.#", "###", "#.#", "###"},
    {"###", "#.#", "###", "..#", "###"},
};

struct Sheet {
    int width, height;
    std::vector<std::uint32_t> px;
    void Set(int x, int y, std::uint32_t c) {
        if (x >= 0 && y >= 0 && x < width && y < height) px[size_t(y) * size_t(width) + size_t(x)] = c;
    }
    void Text(const std::string& s, int x, int y) {
        for (char ch : s) {
            const auto& d = Digits[ch - '0'];
            for (int r = 0; r < 5; ++r)
                for (int c = 0; c < 3; ++c)
                    if (d[r][c] == '#')
                        for (int k = 0; k < 4; ++k) Set(x + c * 2 + k % 2, y + r * 2 + k / 2, 0xFF000000);
            x += 8;
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    if ((argc != 2 && argc != 4) || std::string(argv[1]) == "--help") {
        std::printf("usage: quorvane-sheet OUT.png [FIRST LAST]\n"
                    "  Writes every sprite picture, or those numbered FIRST to LAST, with its number to OUT.png.\n");
        return argc == 2 ? 0 : 2;
    }
    int first = 0, last = q::SpriteCount - 1;
    if (argc == 4) {
        try {
            first = std::stoi(argv[2]);
            last = std::stoi(argv[3]);
        } catch (const std::exception&) {
            first = -1;
        }
        if (first < 0 || last >= q::SpriteCount || first > last) {
            std::fprintf(stderr, "quorvane-sheet: FIRST and LAST are sprite numbers 0..%d, FIRST not past LAST\n", q::SpriteCount - 1);
            return 2;
        }
    }
    const q::PictureSet& pictures = q::frm_RGN_Picture::Get();
    for (const auto& e : pictures.Errors()) std::fprintf(stderr, "quorvane-sheet: %s\n", e.c_str());
    const int count = last - first + 1;
    const int rows = (count + Columns - 1) / Columns;
    Sheet sheet{Columns * CellW, rows * CellH, {}};
    sheet.px.assign(size_t(sheet.width) * size_t(sheet.height), 0xFFFFFFFF);
    for (int n = first; n <= last; ++n) {
        const q::SpritePicture& pic = pictures.pPicture(n);
        const int cell = n - first;
        const int x0 = (cell % Columns) * CellW + 4, y0 = (cell / Columns) * CellH + 8;
        sheet.Text(std::to_string(n), x0, y0);
        const int top = y0 + 12;
        const q::RegionRecord outline = q::OutlineOf(pic);
        std::vector<unsigned char> in(size_t(pic.width) * size_t(pic.height), 0);
        for (const auto& r : outline.rects)
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) in[size_t(y) * size_t(pic.width) + size_t(x)] = 1;
        for (int y = 0; y < pic.height * Scale; ++y)
            for (int x = 0; x < pic.width * Scale; ++x) {
                const size_t i = size_t(y / Scale) * size_t(pic.width) + size_t(x / Scale);
                const std::uint32_t c = in[i] ? pic.Argb(i) : ((x / 4 + y / 4) % 2 ? 0xFFC8C8C8 : 0xFFE8E8E8);
                sheet.Set(x0 + x, top + y, c);
            }
    }
    std::string error;
    if (!q::WritePng(argv[1], sheet.width, sheet.height, sheet.px, error)) {
        std::fprintf(stderr, "quorvane-sheet: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    return pictures.Errors().empty() ? 0 : 1;
}
