// A log of the stage frames the program puts on the screen, for a check that
// grabs the screen and finds each grabbed picture among the frames drawn:
// every frame, the picture an area of the screen should show (the figures
// over a plain desktop of one colour) is written as a hash, one line each.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>

namespace q {

class StageCanvas;
class Form;

// The hash of a picture's colours, the same for a grabbed screen and a drawn frame.
std::uint64_t PictureHash(const QImage& image);

class FrameLog {
public:
    // `area` gives the part of the screen to check, in pixels of the game;
    // `desktop` is the colour the desktop shows there.
    FrameLog(const std::string& path, std::function<QRect()> area, QColor desktop);
    // A frame has gone to the screen: the stage's image, its window's mask,
    // both in pixels of the stage form, which lies at `origin` on the screen.
    void Drew(const StageCanvas& canvas, const QRegion& mask, QPoint origin);

private:
    void Write(const QImage& logical);

    std::ofstream out_;
    std::function<QRect()> area_;
    QColor desktop_;
    QRect written_;
};

}  // namespace q
