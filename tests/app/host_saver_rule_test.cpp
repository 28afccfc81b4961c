#include <gtest/gtest.h>

#include "host/saver_window.h"

namespace orrelume {
namespace {

// Moves at the given times (seconds since midnight); true when one closed.
bool Moves(MouseMoveRule& rule, std::initializer_list<double> times, bool background = false) {
    bool closed = false;
    for (const double t : times)
        closed = rule.Move(t, background) || closed;
    return closed;
}

TEST(HostMouseMoves, TheFourthMoveWithinTenSecondsCloses) {
    MouseMoveRule rule;
    EXPECT_FALSE(Moves(rule, {1000.2, 1000.4, 1000.6}));
    EXPECT_TRUE(rule.Move(1001.0, false));
}

TEST(HostMouseMoves, TheCountIsTestedBeforeThePauseIsNoticed) {
    // Three moves, eleven seconds of quiet, a fourth: it closes.
    MouseMoveRule rule;
    EXPECT_FALSE(Moves(rule, {500.0, 500.1, 500.2}));
    EXPECT_TRUE(rule.Move(511.5, false));
}

TEST(HostMouseMoves, APauseStartsTheCountAgain) {
    // Two moves, a pause, three quick moves: the first after the pause is
    // counted, notices the pause and resets; the next two bring it to 2.
    MouseMoveRule rule;
    EXPECT_FALSE(Moves(rule, {500.0, 500.1}));
    EXPECT_FALSE(Moves(rule, {511.2, 511.3, 511.4}));
    EXPECT_EQ(rule.MouseMoveCounter, 2);
    // A slow drift never closes.
    MouseMoveRule drift;
    for (int i = 0; i < 40; ++i)
        EXPECT_FALSE(drift.Move(100.0 + i * 6.0, false)) << i;
}

TEST(HostMouseMoves, TheRoundedFirstTimeDoesNotLookLikeAPause) {
    // The first move's time is rounded up past the second move's time.
    MouseMoveRule rule;
    EXPECT_FALSE(Moves(rule, {700.6, 700.7, 700.8}));
    EXPECT_EQ(rule.MouseMoveCounter, 3);
    EXPECT_EQ(rule.firstMoveTime, 701);
    EXPECT_TRUE(rule.Move(700.9, false));
}

TEST(HostMouseMoves, MidnightIsAPauseLikeAnyOther) {
    MouseMoveRule rule;
    EXPECT_FALSE(Moves(rule, {86395.0, 86396.0}));
    // Twelve seconds later, the clock has passed midnight: a pause.
    EXPECT_FALSE(Moves(rule, {8.0, 8.1, 8.2}));
    EXPECT_EQ(rule.MouseMoveCounter, 2);
    // Within the ten seconds across midnight the moves still count.
    MouseMoveRule quick;
    EXPECT_FALSE(Moves(quick, {86399.0, 86399.5}));
    EXPECT_TRUE(Moves(quick, {1.0, 2.0}));
}

TEST(HostMouseMoves, BackgroundModeCountsButNeverCloses) {
    MouseMoveRule rule;
    EXPECT_FALSE(Moves(rule, {10, 10.1, 10.2, 10.3, 10.4, 10.5}, true));
}

}  // namespace
}  // namespace orrelume

namespace orrelume {
namespace {

TEST(HostSaverMonitors, ClassicXineramaHeadsEachGetAWindow) {
    // The toolkit sees one screen across both heads; the heads are the
    // monitors, the one at the screen's corner first.
    const std::vector<QRect> one{QRect(0, 0, 2560, 720)};
    const std::vector<MonitorArea> heads{{1280, 0, 1280, 720}, {0, 0, 1280, 720}};
    EXPECT_EQ(SaverMonitors(one, heads, 1.0),
              (std::vector<QRect>{QRect(0, 0, 1280, 720), QRect(1280, 0, 1280, 720)}));
    // In device pixels on a scaled screen.
    EXPECT_EQ(SaverMonitors(one, heads, 2.0)[1], QRect(640, 0, 640, 360));
    // Where the toolkit knows every monitor, its screens stand, primary first.
    const std::vector<QRect> two{QRect(1280, 0, 1280, 720), QRect(0, 0, 1280, 720)};
    EXPECT_EQ(SaverMonitors(two, heads, 1.0), two);
    EXPECT_EQ(SaverMonitors(one, {}, 1.0), one);
}

}  // namespace
}  // namespace orrelume
