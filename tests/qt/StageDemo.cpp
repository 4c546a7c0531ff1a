// A few placeholder figures standing on a real X display, for the smoke test
// under Xvfb: prints a point on a figure and a point between two figures,
// checks from a grab of the screen that only the figures' pixels changed,
// and reports every click that reaches the stage.
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <set>

#include "core/Game.h"
#include "core/InitGame.h"
#include "core/frmUnderMes.h"
#include "qt/QtHost.h"
#include "stage/frm_RGN_Picture.h"
#include "stage/mod_RGN_Proc.h"
#include "stage/mod_RGN_UserFunction.h"

namespace {

class Scene : public q::GameForm {
public:
    using GameForm::GameForm;
    void Form_MouseDown(int button, int, int X, int Y) override {
        std::printf("stage click %d at %d,%d\n", button, X / game.host.TwipsPerPixelX(), Y / game.host.TwipsPerPixelY());
        std::fflush(stdout);
    }
};

QImage GrabScreen() { return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32); }

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString shot = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QImage before = GrabScreen();

    q::QtHost host;
    q::Game game(host);
    q::PlaceMessageBars(game);  // the bar along the bottom, above the taskbar area
    Scene stage(game, "frmShop");
    stage.BackColor = q::RGB(255, 0, 255);  // would show, were the window not shaped
    const q::Long top = game.frmUnderMes->Top - q::RGN_SpriteHeight(92);
    game.SpriteTop = top;  // the figures' line, above which the gauge row is the stage's highest
    stage.Show();
    q::RGN_InitForm(game, stage);
    const int tx = host.TwipsPerPixelX();
    const int sprites[][2] = {{409, 60}, {92, 200}, {8, 300}, {395, 400}, {191, 520}, {417, 640}};
    for (auto [n, px] : sprites) {
        q::Long x = px * tx, y = top;
        q::RGN_Draw(game, n, stage, x, y);
    }
    q::RGN_Apply(game, stage);

    QTimer::singleShot(800, [&] {
        const QImage after = GrabScreen();
        if (!shot.isEmpty()) after.save(shot);
        // Every pixel of a figure shows the figure; every other pixel above
        // the bar is the desktop as it was.
        std::set<std::pair<int, int>> figure;
        const int py = top / host.TwipsPerPixelY();
        for (auto [n, px] : sprites)
            for (const q::PixelRect& r : q::Rgn(game).RgnData[size_t(n)].rects)
                for (int y = r.top; y < r.bottom; ++y)
                    for (int x = r.left; x < r.right; ++x) figure.insert({px + x, py + y});
        const int barTop = game.frmUnderMes->Top / host.TwipsPerPixelY();
        const QImage& image = host.CanvasFor(stage)->Image();
        const QPoint origin = host.CanvasFor(stage)->Box().topLeft();
        int wrongFigure = 0, wrongDesktop = 0;
        for (int y = 0; y < barTop; ++y)
            for (int x = 0; x < after.width(); ++x) {
                const bool onFigure = figure.count({x, y}) != 0;
                if (onFigure && after.pixel(x, y) != image.pixel(QPoint(x, y) - origin)) ++wrongFigure;
                if (!onFigure && after.pixel(x, y) != before.pixel(x, y)) ++wrongDesktop;
            }
        std::printf("figure pixels wrong: %d\ndesktop pixels changed: %d\n", wrongFigure, wrongDesktop);
        // A foot of the heroine, and the gap between the heroine and the soldier.
        const q::PixelRect foot = q::Rgn(game).RgnData[92].rects.back();
        std::printf("point on a figure %d %d\n", 200 + foot.left, py + foot.top);
        std::printf("point between figures %d %d\n", 200 + 34 + 30, py + 20);
        std::printf("ready\n");
        std::fflush(stdout);
    });
    QTimer::singleShot(20000, [] { QApplication::quit(); });
    return QApplication::exec();
}
