// The stage form on the desktop: its persistent image, painted sprite by
// sprite inside each sprite's outline, and the window mask of a frame, made
// from the region of each sprite number, built once. The game's stage is as
// wide and high as the screen; the real window covers only the box of the
// figures shown, and its image holds just that box.
#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>
#include <vector>

#include "forms/Host.h"

namespace q {

// The part of the form's persistent image inside `Box()`: the sprites
// painted since it was last cleared, over the form's background.
class StageCanvas {
public:
    // Paints the frame's image inside `box` (in pixels of the form); gives
    // back the area that changed, in pixels of the image.
    QRegion Paint(const StageFrame& frame, QRect box, QColor background);
    const QImage& Image() const { return image_; }
    // Where the image lies on the form.
    QRect Box() const { return box_; }

private:
    QImage image_;
    QRect box_;
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
