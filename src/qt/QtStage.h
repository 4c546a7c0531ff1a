// The stage form on the desktop: its persistent image, painted sprite by
// sprite inside each sprite's outline, and the window mask of a frame, made
// from the region of each sprite number, built once.
#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>
#include <vector>

#include "forms/Host.h"

namespace q {

// The form's persistent image: the sprites painted since it was last
// cleared, over the form's background.
class StageCanvas {
public:
    // Paints the frame's image; gives back the area that changed.
    QRegion Paint(const StageFrame& frame, QSize size, QColor background);
    const QImage& Image() const { return image_; }

private:
    QImage image_;
    QColor background_;
    std::vector<QRect> painted_;
};

// The window region of every sprite number, made from its outline once.
class SpriteRegions {
public:
    const QRegion& Of(const StageSprite& s);
    // The window mask of a frame: the union of its sprites' regions at their
    // places, or a mask that shows nothing at all for an empty frame.
    QRegion MaskOf(const StageFrame& frame);

private:
    std::vector<QRegion> regions_;
    std::vector<const PixelRect*> madeFrom_;
};

// A mask with no pixel inside any window (an empty QRegion would mean "no
// mask", the whole window).
QRegion NothingShows();

}  // namespace q
