// The stage on the desktop front end (offscreen): the window covers the band
// of the stage the figures stand in while the form stays screen-wide, the
// window's mask is the union of the frame's outlines, the image holds the
// sprites inside their outlines, and a click on a figure reaches the stage's
// mouse handler.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "core/Game.h"
#include "qt/QtHost.h"
#include "stage/frm_RGN_Picture.h"
#include "stage/mod_RGN_Proc.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {
namespace {

class Scene : public GameForm {
public:
    using GameForm::GameForm;
    std::vector<std::pair<int, int>> clicks;  // twips
    void Form_MouseDown(int, int, int X, int Y) override { clicks.push_back({X, Y}); }
};

class QtStageTest : public ::testing::Test {
protected:
    QtStageTest() : game(std::make_unique<Game>(host)), stage(*game, "frmShop") {
        game->SpriteTop = RGN_ScreenHeight(*game) - 900;
        stage.Show();
        RGN_InitForm(*game, stage);
    }
    ~QtStageTest() override { stage.Unload(); }

    int Px(Long twips) const { return twips / host.TwipsPerPixelX(); }
    int Py(Long twips) const { return twips / host.TwipsPerPixelY(); }

    // The outlines of the sprites at their pixel places, joined by Qt itself.
    QRegion Outlines(std::initializer_list<std::tuple<int, Long, Long>> sprites) {
        QRegion r;
        for (auto [n, x, y] : sprites)
            for (const PixelRect& o : Rgn(*game).RgnData[size_t(n)].rects)
                r += QRect(Px(x) + o.left, Py(y) + o.top, o.right - o.left, o.bottom - o.top);
        return r;
    }
    void Frame(std::initializer_list<std::tuple<int, Long, Long>> sprites) {
        for (auto [n, x, y] : sprites) RGN_Draw(*game, n, stage, x, y);
        RGN_Apply(*game, stage);
    }

    QtHost host;
    std::unique_ptr<Game> game;
    Scene stage;
};

// The window covers the rows of the stage the figures stand in, from the
// gauge row to the foot of the tallest picture, and never moves whatever the
// figures do: only its mask and picture change, so they reach the screen
// together.
TEST_F(QtStageTest, TheWindowCoversTheBandOfTheFiguresAndStaysWhileTheImageHoldsTheirBox) {
    FormWindow* w = host.WindowFor(stage);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
    const Long top = game->SpriteTop;
    const Long s = host.TwipsPerPixelX();
    const QRect whole(0, Py(top) - 15, host.ScreenWidthPixels(), 15 + 34);
    Frame({{92, 20 * s, top}, {5, 137 * s, top}});
    EXPECT_EQ(w->geometry(), whole);
    EXPECT_EQ(host.CanvasFor(stage)->Box(), Outlines({{92, 20 * s, top}, {5, 137 * s, top}}).boundingRect());
    Frame({{92, 24 * s, top}});
    EXPECT_EQ(w->geometry(), whole) << "a figure that walks on moves no window";
    EXPECT_EQ(host.CanvasFor(stage)->Box(), Outlines({{92, 24 * s, top}}).boundingRect());
    // A figure partly off the screen: the image stops at the screen's edge.
    Frame({{92, -10 * s, top}});
    EXPECT_EQ(host.CanvasFor(stage)->Box(), Outlines({{92, -10 * s, top}}).boundingRect().intersected(QRect(0, 0, 10000, 10000)));
    EXPECT_EQ(host.CanvasFor(stage)->Image().size(), host.CanvasFor(stage)->Box().size()) << "the image holds just the box";
}

TEST_F(QtStageTest, TheMaskIsTheUnionOfTheDrawnOutlines) {
    const Long top = game->SpriteTop;
    const Long s = host.TwipsPerPixelX();
    // Overlapping figures, a sign, a gem above the line, and one partly off the screen.
    const auto sprites = {std::tuple<int, Long, Long>{92, 20 * s, top}, {5, 37 * s, top}, {395, 60 * s, top},
                          {188, 5 * s, top - 15 * s}, {30, -10 * s, top}};
    Frame(sprites);
    FormWindow* w = host.WindowFor(stage);
    // The window's pixels lie on the stage from its top-left corner on.
    const QPoint corner = w->geometry().topLeft();
    EXPECT_EQ(w->mask().intersected(w->rect()), Outlines(sprites).translated(-corner).intersected(w->rect()));
    const QRect box = host.CanvasFor(stage)->Box();
    EXPECT_FALSE(w->mask().contains(box.topLeft() - corner)) << "the box's corner lies between the figures";

    Frame({{393, 0, top}});
    EXPECT_EQ(w->mask(), QRegion(33, Py(top) + 33, 1, 1).translated(-corner)) << "the blank shows one pixel";
}

TEST_F(QtStageTest, AnEmptyFrameLeavesNoPixelOfTheWindow) {
    FormWindow* w = host.WindowFor(stage);
    Frame({{92, 300, 9000}});
    RGN_Apply(*game, stage);
    EXPECT_FALSE(w->mask().isEmpty()) << "an empty QRegion would show the whole window";
    EXPECT_TRUE(w->mask().intersected(w->rect()).isEmpty());
}

TEST_F(QtStageTest, TheImageHoldsEachSpriteInsideItsOutlineOnly) {
    const Long top = game->SpriteTop;
    Frame({{92, 300, top}, {5, 555, top}});
    const StageCanvas* canvas = host.CanvasFor(stage);
    ASSERT_NE(canvas, nullptr);
    const QImage& img = canvas->Image();
    const QPoint origin = canvas->Box().topLeft();
    EXPECT_EQ(canvas->Box(), Outlines({{92, 300, top}, {5, 555, top}}).boundingRect());
    const SpritePicture& later = frm_RGN_Picture::pPicture(5);
    const SpritePicture& first = frm_RGN_Picture::pPicture(92);
    const QRegion second = Outlines({{5, 555, top}});
    int checked = 0;
    for (const QRect& r : Outlines({{92, 300, top}})) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const bool covered = second.contains(QPoint(x, y));
                const SpritePicture& p = covered ? later : first;
                const int ox = covered ? 37 : 20, oy = Py(top);
                ASSERT_EQ(img.pixel(x - origin.x(), y - origin.y()), p.Argb(size_t(y - oy) * 34 + size_t(x - ox)))
                    << x << "," << y;
                ++checked;
            }
    }
    EXPECT_GT(checked, 100);
    // The next frame clears the image: the old figures are gone, even where
    // the new box overlaps the old one.
    Frame({{99, 300, top}});
    const QRect box = canvas->Box();
    const QRegion gone = (Outlines({{92, 300, top}, {5, 555, top}}) - Outlines({{99, 300, top}})).intersected(box);
    ASSERT_FALSE(gone.isEmpty());
    for (const QRect& r : gone)
        EXPECT_EQ(img.pixel(r.topLeft() - box.topLeft()), ColorOf(stage.BackColor).rgb()) << r.x() << "," << r.y();
}

TEST_F(QtStageTest, AClickOnAFigureReachesTheStage) {
    const Long top = game->SpriteTop;
    Frame({{0, 300, top}});
    const PixelRect foot = Rgn(*game).RgnData[0].rects.back();
    FormWindow* w = host.WindowFor(stage);
    const QPoint onStage(20 + foot.left, Py(top) + foot.top);
    QTest::mouseClick(w, Qt::LeftButton, {}, onStage - w->geometry().topLeft());
    ASSERT_EQ(stage.clicks.size(), 1u);
    EXPECT_EQ(stage.clicks[0].first, onStage.x() * host.TwipsPerPixelX());
    EXPECT_EQ(stage.clicks[0].second, onStage.y() * host.TwipsPerPixelY());
}

// The stage's window moved by the window manager: the form follows, the band
// of figures stays where it was on the form, and a click on a figure there
// reaches the stage at its place on the form.
TEST_F(QtStageTest, TheStageFollowsWhereTheWindowManagerPutItsWindow) {
    const Long top = game->SpriteTop;
    Frame({{0, 300, top}});
    FormWindow* w = host.WindowFor(stage);
    QTest::qWait(1100);
    const QRect band = w->geometry();
    w->move(band.topLeft() + QPoint(0, 27));
    QTest::qWait(700);
    EXPECT_EQ(stage.Top, 27 * host.TwipsPerPixelY());
    EXPECT_EQ(w->geometry(), band.translated(0, 27));
    const PixelRect foot = Rgn(*game).RgnData[0].rects.back();
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(20 + foot.left, Py(top) + foot.top) - (band.topLeft() - QPoint(0, 0)));
    ASSERT_EQ(stage.clicks.size(), 1u);
    EXPECT_EQ(stage.clicks[0].second, (Py(top) + foot.top) * host.TwipsPerPixelY()) << "her place on the form";
}

}  // namespace
}  // namespace q

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
