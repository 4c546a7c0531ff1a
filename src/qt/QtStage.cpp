#include "qt/QtStage.h"

#include <algorithm>
#include <cstring>

namespace q {

QRegion NothingShows() { return QRegion(-1, -1, 1, 1); }

QRegion StageCanvas::Paint(const StageFrame& frame, QSize size, QColor background) {
    QRegion changed;
    if (image_.size() != size || background_ != background) {
        image_ = QImage(size, QImage::Format_RGB32);
        image_.fill(background);
        background_ = background;
        painted_.clear();
        changed = QRegion(0, 0, size.width(), size.height());
    }
    // The sprites of the last paint go; the image holds exactly the frame's.
    const QRect bounds(QPoint(0, 0), size);
    const std::uint32_t back = background.rgb();
    for (const QRect& r : painted_) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::fill_n(reinterpret_cast<std::uint32_t*>(image_.scanLine(y)) + r.left(), r.width(), back);
        changed += r;
    }
    painted_.clear();
    for (const StageSprite& s : frame.image) {
        // Only the pixels inside the sprite's outline are written, so the
        // key-coloured surround never covers what lies below.
        for (int k = 0; k < s.outlineCount; ++k) {
            const PixelRect& o = s.outline[k];
            const QRect r = QRect(s.x + o.left, s.y + o.top, o.right - o.left, o.bottom - o.top).intersected(bounds);
            if (r.isEmpty()) continue;
            for (int y = r.top(); y <= r.bottom(); ++y) {
                const std::uint32_t* src = s.pixels + size_t(y - s.y) * size_t(s.width) + size_t(r.left() - s.x);
                std::memcpy(reinterpret_cast<std::uint32_t*>(image_.scanLine(y)) + r.left(), src, size_t(r.width()) * 4);
            }
        }
        const QRect whole = QRect(s.x, s.y, s.width, s.height).intersected(bounds);
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
