// quorvane-icon: the program's icon, the heroine standing in her blue dress,
// drawn from her sprite picture at a size of the desktop's icon themes. The
// figure, cut to its outline, is enlarged by the largest whole factor that
// fits and centred on a clear square.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "sim/PngWriter.h"
#include "stage/RegionRecord.h"
#include "stage/frm_RGN_Picture.h"

namespace {

constexpr int HeroineStanding = 92;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::printf("usage: quorvane-icon OUT.png SIZE\n"
                    "  Writes the heroine standing as a square icon of SIZE pixels to OUT.png.\n");
        return 2;
    }
    int size = 0;
    try {
        size = std::stoi(argv[2]);
    } catch (const std::exception&) {
    }
    const q::PictureSet& pictures = q::frm_RGN_Picture::Get();
    const q::SpritePicture& pic = pictures.pPicture(HeroineStanding);
    const q::RegionRecord outline = q::OutlineOf(pic);
    if (outline.rects.empty()) {
        std::fprintf(stderr, "quorvane-icon: picture %d has no outline\n", HeroineStanding);
        return 1;
    }
    int left = pic.width, top = pic.height, right = 0, bottom = 0;
    std::vector<unsigned char> in(size_t(pic.width) * size_t(pic.height), 0);
    for (const auto& r : outline.rects) {
        left = std::min(left, r.left);
        top = std::min(top, r.top);
        right = std::max(right, r.right);
        bottom = std::max(bottom, r.bottom);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) in[size_t(y) * size_t(pic.width) + size_t(x)] = 1;
    }
    const int w = right - left, h = bottom - top;
    const int scale = size / std::max(w, h);
    if (scale < 1) {
        std::fprintf(stderr, "quorvane-icon: SIZE is a whole number of pixels, at least %d\n", std::max(w, h));
        return 2;
    }
    const int x0 = (size - w * scale) / 2, y0 = (size - h * scale) / 2;
    std::vector<std::uint32_t> px(size_t(size) * size_t(size), 0);
    for (int y = 0; y < h * scale; ++y)
        for (int x = 0; x < w * scale; ++x) {
            const size_t i = size_t(top + y / scale) * size_t(pic.width) + size_t(left + x / scale);
            if (in[i]) px[size_t(y0 + y) * size_t(size) + size_t(x0 + x)] = pic.Argb(i);
        }
    std::string error;
    if (!q::WritePng(argv[1], size, size, px, error)) {
        std::fprintf(stderr, "quorvane-icon: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    return 0;
}
