// Grabs an area of the screen every 20 ms, as a player's eye would catch it,
// and looks for each picture among the frames the game logged as drawn
// (`quorvane --frame-log`). Stops when STOP_FILE appears; prints how many
// pictures it grabbed and how many match no frame, and writes the first of
// those to OUT_DIR. Exit code 1 when a picture matches no frame.
//   frame_grab LOG STOP_FILE OUT_DIR
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <unordered_set>
#include <vector>

#include "qt/FrameLog.h"

namespace {

struct Log {
    QRect area;
    std::unordered_set<std::uint64_t> frames;
    void Read(const std::string& path) {
        std::ifstream in(path);
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream words(line);
            std::string what;
            words >> what;
            if (what == "area") {
                int x = 0, y = 0, w = 0, h = 0;
                if (words >> x >> y >> w >> h) area = QRect(x, y, w, h);
            } else if (what == "frame") {
                std::uint64_t hash = 0;
                if (words >> hash) frames.insert(hash);
            }
        }
    }
};

struct Grab {
    qint64 ms;
    std::uint64_t hash;
    QImage picture;
};

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::cerr << "usage: frame_grab LOG STOP_FILE OUT_DIR\n";
        return 2;
    }
    const std::string logPath = argv[1];
    const QString stopFile = argv[2];
    const QString outDir = argv[3];
    QScreen* screen = QGuiApplication::primaryScreen();
    Log log;
    QElapsedTimer clock;
    clock.start();
    while (log.area.isEmpty() && clock.elapsed() < 120000 && !QFile::exists(stopFile)) {
        QThread::msleep(20);
        log.Read(logPath);
    }
    if (log.area.isEmpty()) {
        std::cerr << "frame_grab: the game logged no frame\n";
        return 2;
    }
    long grabs = 0;
    std::unordered_set<std::uint64_t> seen;
    std::vector<Grab> unmatched;  // until the log is read again at the end
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (QFile::exists(stopFile) || clock.elapsed() > 600000) return app.quit();
        const QImage picture = screen->grabWindow(0, log.area.x(), log.area.y(), log.area.width(), log.area.height()).toImage();
        const std::uint64_t hash = q::PictureHash(picture);
        ++grabs;
        seen.insert(hash);
        if (log.frames.count(hash)) return;
        log.Read(logPath);  // the frame may have been logged since
        if (!log.frames.count(hash) && unmatched.size() < 200) unmatched.push_back({clock.elapsed(), hash, picture});
    });
    tick.start(20);
    app.exec();

    log.Read(logPath);
    long broken = 0;
    for (const Grab& g : unmatched) {
        if (log.frames.count(g.hash)) continue;
        if (broken < 5) g.picture.save(outDir + QString("/broken-%1.png").arg(g.ms));
        ++broken;
    }
    std::printf("grabs %ld, distinct pictures %zu, frames drawn %zu, pictures matching no frame %ld\n", grabs, seen.size(),
                log.frames.size(), broken);
    return broken ? 1 : 0;
}
