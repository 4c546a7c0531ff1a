#include "qt/QtStage.h"

#include <algorithm>

namespace q {

QRegion NothingShows() { return QRegion(-1, -1, 1, 1); }

QRegion StageCanvas::Paint(const StageFrame& frame, QRect box, QColor background) {
    QRegion changed;
    if (box_ != box || background_ != background) {
        if (image_.size() != box.size()) image_ = QImage(box.size(), QImage::Format_RGB32);
        image_.fill(background);
        box_ = box;
        background_ = background;
        painted_.clear();
        changed = QRegion(image_.rect());
    }
    // The sprites of the last paint go; the image holds exactly the frame's.
    const QRect bounds = image_.rect();
    const std::uint32_t back = background.rgb();
    for (const QRect& r : painted_) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::fill_n(reinterpret_cast<std::uint32_t*>(image_.scanLine(y)) + r.left(), r.width(), back);
        changed += r;
    }
    painted_.clear();
    for (const StageSprite& s : frame.image) {
        const int sx = s.x - box.left(), sy = s.y - box.top();  // the sprite's place in the image
        // Only the pixels inside the sprite's outline are written, so the
        // key-coloured surround never covers what lies below.
        for (int k = 0; k < s.outlineCount; ++k) {
            const PixelRect& o = s.outline[k];
            const QRect r = QRect(sx + o.left, sy + o.top, o.right - o.left, o.bottom - o.top).intersected(bounds);
            if (r.isEmpty()) continue;
            for (int y = r.top(); y <= r.bottom(); ++y) {
                const std::uint8_t* src = s.pixels + size_t(y - sy) * size_t(s.width) + size_t(r.left() - sx);
                std::transform(src, src + r.width(), reinterpret_cast<std::uint32_t*>(image_.scanLine(y)) + r.left(),
                               [&s](std::uint8_t i) { return OpaquePixel(s.palette[i]); });
            }
        }
        const QRect whole = QRect(sx, sy, s.width, s.height).intersected(bounds);
        if (!whole.isEmpty()) {
            painted_.push_back(whole);
            changed += whole;
        }
    }
    return changed;
}

const QRegion& SpriteRegions::Of(const StageSprite& s) {
    const size_t n = size_t(std::max(0, s.sprite));
    if (n >= regions_.size()) {
        regions_.resize(n + 1);
        madeFrom_.resize(n + 1, nullptr);
    }
    if (madeFrom_[n] != s.outline || regions_[n].isEmpty()) {
        // The outline is in the form Qt keeps regions in: bands from the
        // top, each a row of rectangles that neither touch nor overlap.
        std::vector<QRect> rects;
        rects.reserve(size_t(s.outlineCount));
        for (int k = 0; k < s.outlineCount; ++k) {
            const PixelRect& o = s.outline[k];
            rects.emplace_back(o.left, o.top, o.right - o.left, o.bottom - o.top);
        }
        QRegion r;
        r.setRects(rects.data(), int(rects.size()));
        regions_[n] = r;
        madeFrom_[n] = s.outline;
    }
    return regions_[n];
}

QRegion SpriteRegions::MaskOf(const StageFrame& frame) {
    if (frame.region.empty()) return NothingShows();
    // A frame with a region holds just the sprites drawn since the last apply.
    QRegion mask;
    for (const StageSprite& s : frame.image) mask += Of(s).translated(s.x, s.y);
    return mask;
}

}  // namespace q
