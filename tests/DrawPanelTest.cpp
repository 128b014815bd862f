// The drawing panel's pixels: lines, arcs, the background picture in its three modes, clearing.

#include "platform/qt/DrawPanel.h"

#include <gtest/gtest.h>

namespace {

using penrica::BackgroundMode;
using penrica::DrawPanel;

QColor At(const DrawPanel& panel, int x, int y) {
    return panel.Image().pixelColor(x, y);
}

TEST(DrawPanel, LineAndFullCircleArc) {
    DrawPanel panel;
    panel.resize(100, 100);
    panel.SetPenColour(0x000000FF); // red
    panel.Line(0, 50, 99, 50);
    EXPECT_EQ(At(panel, 10, 50), QColor(255, 0, 0));
    EXPECT_EQ(At(panel, 10, 40), QColor(255, 255, 255));

    panel.Clear();
    EXPECT_EQ(At(panel, 10, 50), QColor(255, 255, 255));
    // Equal start and end points: the whole ellipse, so all four extremes are drawn.
    panel.EllipseOutline(10, 10, 91, 91);
    for (QPoint p : {QPoint(10, 50), QPoint(90, 50), QPoint(50, 10), QPoint(50, 90)}) {
        bool found = false;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                found |= At(panel, p.x() + dx, p.y() + dy).red() > 200 &&
                         At(panel, p.x() + dx, p.y() + dy).green() < 100;
        EXPECT_TRUE(found) << p.x() << "," << p.y();
    }
    // The inside stays unpainted: an arc is not filled.
    EXPECT_EQ(At(panel, 50, 50), QColor(255, 255, 255));
}

TEST(DrawPanel, ClearRestoresBackgroundPicture) {
    DrawPanel panel;
    panel.resize(40, 40);
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 255));
    panel.SetBackgroundPicture(picture, BackgroundMode::Centred);
    panel.SetPenColour(0x0000FF00);
    panel.SetPenWidth(5);
    panel.Line(0, 20, 39, 20);
    EXPECT_EQ(At(panel, 20, 20), QColor(0, 255, 0));
    panel.Clear();
    EXPECT_EQ(At(panel, 20, 20), QColor(0, 0, 255));
}

TEST(DrawPanel, TiledModeRepeatsPicture) {
    DrawPanel panel;
    panel.resize(40, 10);
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::black);
    picture.setPixelColor(0, 0, Qt::red);
    panel.SetBackgroundPicture(picture, BackgroundMode::Tiled);
    EXPECT_EQ(At(panel, 30, 0), QColor(Qt::red));
    EXPECT_EQ(At(panel, 31, 0), QColor(Qt::black));
}

TEST(DrawPanel, CentredPlacement) {
    struct Case {
        QSize panel, picture;
        QRect expected;
    };
    const Case cases[] = {
        {{100, 100}, {50, 20}, {25, 40, 50, 20}},   // smaller: centred, unscaled
        {{100, 100}, {200, 100}, {0, 25, 100, 50}}, // wider: scaled down to the width
        {{100, 100}, {50, 400}, {44, 0, 12, 100}},  // taller: scaled down to the height
        {{100, 100}, {100, 100}, {0, 0, 100, 100}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DrawPanel::CentredPlacement(c.panel, c.picture), c.expected)
            << c.picture.width() << "x" << c.picture.height();
    }
}

TEST(DrawPanel, CentredModeScalesDownPicture) {
    DrawPanel panel;
    panel.resize(100, 100);
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 255));
    panel.SetBackgroundPicture(picture, BackgroundMode::Centred);
    EXPECT_EQ(At(panel, 50, 50), QColor(0, 0, 255));
    EXPECT_EQ(At(panel, 50, 10), QColor(255, 255, 255));
}

} // namespace
