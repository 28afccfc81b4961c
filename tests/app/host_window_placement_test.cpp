#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

#include "driver/host_state.h"
#include "host_test_app.h"
#include "settings/memory_backend.h"
#include "settings/store.h"
#include "ui/window_placement.h"

namespace orrelume {
namespace {

TEST(HostWindowSize, FiveDigitColumns) {
    EXPECT_EQ(FormatWindowSize({1500, 1200, 10500, 6000}), "01500012001050006000");
    // Dragged partly off the left or top edge: stored as 0.
    EXPECT_EQ(FormatWindowSize({-300, -15, 4500, 3000}), "00000000000450003000");
    // Beyond five digits the columns would run into each other.
    EXPECT_EQ(FormatWindowSize({115200, 0, 120000, 2}), "99999000009999900002");

    const TwipsRect r = ParseWindowSize("01500012001050006000");
    EXPECT_EQ(r.left, 1500);
    EXPECT_EQ(r.top, 1200);
    EXPECT_EQ(r.width, 10500);
    EXPECT_EQ(r.height, 6000);
    // A short or damaged text reads what it has; the rest is 0.
    const TwipsRect s = ParseWindowSize("0150000x20105");
    EXPECT_EQ(s.left, 1500);
    EXPECT_EQ(s.top, 0);
    EXPECT_EQ(s.width, 105);
    EXPECT_EQ(s.height, 0);
}

TEST(HostWindowSize, TwipsAndPixels) {
    EXPECT_EQ(PixelsToTwips(700, 15), 10500);
    EXPECT_EQ(TwipsToPixels(10500, 15), 700);
    EXPECT_EQ(TwipsToPixels(22, 15), 1);
    // A screen without a usable value counts 15 twips to the pixel.
    EXPECT_EQ(TwipsToPixels(150, 0), 10);
}

TEST(HostWindowArea, CentredAndKeptWithin) {
    const QRect area(0, 0, 1366, 728);
    EXPECT_EQ(CentredIn(QSize(700, 500), area), QPoint(333, 114));
    EXPECT_EQ(CentredIn(QSize(700, 500), area.translated(1366, 40)), QPoint(1699, 154));
    // Off the bottom right: moved in just far enough; inside: unchanged.
    EXPECT_EQ(KeptWithin(QRect(1000, 600, 700, 500), area), QPoint(666, 228));
    EXPECT_EQ(KeptWithin(QRect(-50, 20, 700, 500), area), QPoint(0, 20));
    EXPECT_EQ(KeptWithin(QRect(10, 20, 700, 500), area), QPoint(10, 20));
    // Larger than the area: its top left corner stays inside.
    EXPECT_EQ(KeptWithin(QRect(300, 300, 1600, 900), area), QPoint(0, 0));
}

class HostPlacement : public ::testing::Test {
  protected:
    HostPlacement() : store_(&backend_) { test::HostTestApp(); }
    MemoryBackend backend_;
    SettingsStore store_;
    HostState host_;
};

TEST_F(HostPlacement, AWindowNeverSavedOpensCentred) {
    QWidget w;
    w.resize(400, 300);
    RestoreWindowPlacement(w, store_, "General", host_, true);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(w.pos(), QPoint(screen.left() + (screen.width() - 400) / 2,
                              screen.top() + (screen.height() - 300) / 2));
}

TEST_F(HostPlacement, CentredAtTheSizeItsLayoutGivesIt) {
    // Never resized: it shows at its layout's size, not at a default one.
    QWidget w;
    auto* layout = new QVBoxLayout(&w);
    auto* content = new QWidget;
    content->setFixedSize(300, 500);
    layout->addWidget(content);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    RestoreWindowPlacement(w, store_, "General", host_, false);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(w.frameGeometry().center(), screen.center()) << w.frameGeometry().height();

    // Taller than the screen: it gets the screen's height.
    QWidget tall;
    tall.resize(400, screen.height() + 300);
    CentreWindow(tall);
    EXPECT_TRUE(screen.contains(tall.frameGeometry()));
}

TEST_F(HostPlacement, ANormalWindowComesBackWhereItWas) {
    QWidget w;
    w.move(100, 80);
    w.resize(700, 400);
    SaveWindowPlacement(w, store_, "General", host_);
    EXPECT_EQ(store_.ReadSettingText("General", "WindowState", ""), "0");
    EXPECT_EQ(store_.ReadSettingText("General", "WindowSize", ""), "01500012001050006000");

    QWidget again;
    again.resize(640, 480);
    RestoreWindowPlacement(again, store_, "General", host_, true);
    EXPECT_EQ(again.pos(), QPoint(100, 80));
    EXPECT_EQ(again.size(), QSize(700, 400));

    // A window of fixed size takes only the position.
    QWidget fixed;
    fixed.resize(320, 200);
    RestoreWindowPlacement(fixed, store_, "General", host_, false);
    EXPECT_EQ(fixed.pos(), QPoint(100, 80));
    EXPECT_EQ(fixed.size(), QSize(320, 200));

    // Stored on a larger screen, partly beyond this one's edge: brought in.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget beyond;
    beyond.resize(320, 200);
    beyond.move(screen.right() - 100, screen.bottom() - 50);
    SaveWindowPlacement(beyond, store_, "General", host_);
    QWidget back;
    back.resize(320, 200);
    RestoreWindowPlacement(back, store_, "General", host_, false);
    EXPECT_EQ(back.frameGeometry().bottomRight(), screen.bottomRight());
}

TEST_F(HostPlacement, MaximisedAndDamagedPlacements) {
    store_.WriteSetting("General", "WindowState", "2");
    store_.WriteSetting("General", "WindowSize", "01500012001050006000");
    QWidget maximised;
    maximised.resize(640, 480);
    RestoreWindowPlacement(maximised, store_, "General", host_, true);
    EXPECT_TRUE(maximised.windowState().testFlag(Qt::WindowMaximized));
    EXPECT_EQ(maximised.size(), QSize(640, 480));  // the size waits for the normal state

    // A size that would make the window vanish, at a place on no screen.
    store_.WriteSetting("General", "WindowState", "0");
    store_.WriteSetting("General", "WindowSize", "99999999990000000000");
    QWidget damaged;
    RestoreWindowPlacement(damaged, store_, "General", host_, true);
    EXPECT_GE(damaged.width(), 100);
    EXPECT_GE(damaged.height(), 60);
    bool onScreen = false;
    for (const QScreen* s : QGuiApplication::screens())
        onScreen = onScreen || s->geometry().intersects(damaged.geometry());
    EXPECT_TRUE(onScreen);
}

}  // namespace
}  // namespace orrelume
