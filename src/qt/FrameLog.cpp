#include "qt/FrameLog.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <cmath>

#include "qt/QtStage.h"

namespace q {

std::uint64_t PictureHash(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::uint64_t h = 1469598103934665603ull;  // FNV-1a over the pixels' colours
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            h ^= line[x] & 0xFFFFFFu;
            h *= 1099511628211ull;
        }
    }
    return h;
}

FrameLog::FrameLog(const std::string& path, std::function<QRect()> area, QColor desktop)
    : out_(path), area_(std::move(area)), desktop_(desktop) {}

void FrameLog::Drew(const StageCanvas& canvas, const QRegion& mask, QPoint origin) {
    const QRect area = area_();
    if (area.isEmpty()) return;
    QImage shown(area.size(), QImage::Format_RGB32);
    shown.fill(desktop_);
    if (!canvas.Image().isNull()) {
        QPainter p(&shown);
        p.translate(origin - area.topLeft());
        p.setClipRegion(mask.intersected(canvas.Box()));
        p.drawImage(canvas.Box().topLeft(), canvas.Image());
    }
    Write(shown);
}

void FrameLog::Write(const QImage& logical) {
    const QRect area = area_();
    // The screen in its own pixels: each pixel of the game as a square of them.
    const double ratio = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->devicePixelRatio() : 1.0;
    const int scale = std::max(1, int(std::lround(ratio)));
    if (area != written_) {
        out_ << "area " << area.x() * scale << ' ' << area.y() * scale << ' ' << area.width() * scale << ' '
             << area.height() * scale << '\n';
        QImage empty(area.size() * scale, QImage::Format_RGB32);
        empty.fill(desktop_);
        out_ << "frame " << PictureHash(empty) << '\n';  // no figure at all, between scenes
        written_ = area;
    }
    const QImage device = scale == 1 ? logical : logical.scaled(logical.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    out_ << "frame " << PictureHash(device) << std::endl;
}

}  // namespace q
