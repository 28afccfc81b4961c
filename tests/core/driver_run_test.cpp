#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "driver/run_driver.h"
#include "support/core_fixture.h"

namespace orrelume {
namespace {

struct DriverRig {
    HostState state;
    test::ScriptedHost host{state};
    FixedSettingsSource settings;
    RunDriver driver{host, state, settings};

    explicit DriverRig(const UniverseSettings& u = test::TinyUniverse()) {
        settings.records.universe = u;
        settings.advanced.frameDelay = 40;
    }
};

TEST(DriverRun, ProfilesCycleFromTheFirstTypeAtEveryRestart) {
    UniverseSettings u = test::TinyUniverse();
    u.gPCtrl = 1;
    u.gCCtrl = 0;
    DriverRig rig(u);
    std::vector<int> profiles;
    int universes = 0;
    rig.host.onFrame = [&](int64_t) {
        const int p = rig.driver.Universe().profileIndex;
        if (profiles.empty() || profiles.back() != p || universes == 0) profiles.push_back(p);
        universes = 1;
        if (profiles.size() == 3) rig.state.RestartRequested = true;
        if (profiles.size() == 5) rig.state.StopRequested = true;
    };
    rig.driver.SetUpRunSurface(160, 120, false);
    rig.driver.RunWindowLoop(false);
    EXPECT_EQ(profiles, (std::vector<int>{0, 1, 2, 0, 1}));
    EXPECT_FALSE(rig.state.RestartRequested);
}

TEST(DriverRun, OneSegmentVisitsAndTheFramesOfAUniverse) {
    UniverseSettings u = test::TinyUniverse();  // 5 galaxies, 2 visits, 4 steps
    u.gPCtrl = 1;
    u.gCCtrl = 0;
    u.gSteps = 3;
    u.tour = 0;
    DriverRig rig(u);
    std::vector<float> cameraZ;
    rig.host.onFrame = [&](int64_t frames) {
        cameraZ.push_back(rig.driver.Universe().camera.z);
        if (frames == 26) rig.state.StopRequested = true;
    };
    rig.driver.SetUpRunSurface(160, 120, false);
    rig.driver.RunWindowLoop(false);
    // Creation 4, two visits of one segment of 3 frames, departure 3: 13 a
    // universe. With the tour off the camera waits at the start during the
    // visits and only the departure moves it.
    ASSERT_EQ(cameraZ.size(), 26u);
    for (int f = 4; f < 10; ++f)
        EXPECT_FLOAT_EQ(cameraZ[f], -40) << f;
    EXPECT_LT(cameraZ[12], -40);
    EXPECT_EQ(rig.driver.Universe().profileIndex, 1);
}

TEST(DriverRun, EveryFrameIsPacedDepartureIncluded) {
    DriverRig rig;
    rig.host.frameLimit = 60;  // more than two whole universes
    rig.driver.SetUpRunSurface(160, 120, false);
    EXPECT_EQ(rig.driver.Surface().FrameDelay, 40);
    rig.driver.RunWindowLoop(false);
    EXPECT_EQ(rig.host.frames, 60);
    // Each frame waits out its 40 ms in one wait: nothing flashes by.
    const auto paced = std::count(rig.host.waits.begin(), rig.host.waits.end(), 40);
    EXPECT_EQ(paced, 59);  // the last frame stops before its wait

    // A frame delay of 0 runs frames back to back, yielding once each.
    DriverRig flat;
    flat.settings.advanced.frameDelay = 0;
    flat.host.frameLimit = 30;
    flat.driver.SetUpRunSurface(160, 120, false);
    flat.driver.RunWindowLoop(false);
    EXPECT_EQ(flat.host.yields, 30);
}

TEST(DriverRun, UniversePreviewOfADialogPacesWithTheStoredDelay) {
    DriverRig rig;
    rig.settings.advanced.frameDelay = 30;
    rig.host.frameLimit = 20;
    rig.driver.SetUpDialogSurface(120, 90, false, 1.0f);  // no delay of its own
    RunRecords records;
    rig.settings.LoadRecords(records);
    rig.driver.SetRecords(records.types, records.composites);
    rig.driver.SetUniverseSettings(records.universe);
    BuildColourTables(rig.driver.Engine(), 165, 210);
    rig.driver.UniverseRunLoop();
    EXPECT_EQ(std::count(rig.host.waits.begin(), rig.host.waits.end(), 30), 19);
}

TEST(DriverRun, PreviewStopsWhenItsHostWindowIsGone) {
    DriverRig rig;
    rig.state.RunMode = kRunModePreview;
    rig.host.onFrame = [&](int64_t frames) {
        if (frames == 3) rig.host.previewAlive = false;
    };
    rig.driver.SetUpRunSurface(160, 120, true);
    rig.driver.RunWindowLoop(true);
    EXPECT_EQ(rig.host.frames, 3);
    EXPECT_TRUE(rig.state.StopRequested);
    // The display-settings preview runs with 65 % of the stars.
    EXPECT_EQ(rig.driver.Engine().stars.count, 130);
}

TEST(DriverRun, FocalLengthAndSurfaceGeometry) {
    DriverRig rig;
    rig.settings.advanced.focalLength = 50;
    rig.driver.SetUpRunSurface(800, 600, false);
    EXPECT_FLOAT_EQ(rig.driver.Surface().FocalLength, 10);
    rig.settings.advanced.focalLength = 0;
    rig.driver.SetUpRunSurface(800, 600, false);
    EXPECT_FLOAT_EQ(rig.driver.Surface().FocalLength, 0.01f);
    rig.settings.advanced.focalLength = 1;
    rig.driver.SetUpRunSurface(800, 600, false);
    EXPECT_FLOAT_EQ(rig.driver.Surface().projScale(), 350);
    EXPECT_EQ(rig.driver.Surface().centerX(), 400);
    rig.driver.SetUpDialogSurface(101, 51, true, 0.5f);
    EXPECT_EQ(rig.driver.Surface().FrameDelay, 32);
    EXPECT_EQ(rig.driver.Surface().centerX(), 50);  // 50.5 to even
    EXPECT_EQ(rig.driver.Surface().centerY(), 26);  // 25.5 to even
    EXPECT_FLOAT_EQ(rig.driver.Surface().projScale(), 19);
}

TEST(DriverRun, DialogPreviewRunner) {
    DriverRig rig;
    rig.settings.advanced.frameDelay = 25;
    rig.driver.SetUpDialogSurface(120, 90, false, 1.0f);
    // A galaxy preview of 20000 stars and trail 5 runs with trail 1, paced
    // with the stored frame delay, and stops at its frame limit.
    rig.driver.DialogPreviewRunner(0, true, 10, 20000, 5, false, 1.0f);
    EXPECT_EQ(rig.driver.Engine().stars.count, 20000);
    EXPECT_EQ(rig.driver.Engine().stars.trail, 1);
    // The tenth frame ends at the limit: it is shown, but not waited for.
    EXPECT_EQ(rig.host.frames, 10);
    EXPECT_EQ(std::count(rig.host.waits.begin(), rig.host.waits.end(), 25), 9);
    EXPECT_GT(rig.driver.Surface().pixels().size(), 0u);

    // A composite preview: member types only; a restart request ends it and
    // is cleared.
    FixedSettingsSource& s = rig.settings;
    s.records.composites[3].count = 2;
    s.records.composites[3].members[0] = 12;
    s.records.composites[3].members[1] = 30;
    rig.driver.SetRecords(s.records.types, s.records.composites);
    rig.host.onFrame = [&](int64_t frames) {
        if (frames == 14) rig.state.RestartRequested = true;
    };
    rig.driver.DialogPreviewRunner(3, false, 0, 400, 2, true, 0.8f);
    EXPECT_FALSE(rig.state.RestartRequested);
    EXPECT_EQ(rig.host.frames, 14);
    const StarTable& st = rig.driver.Engine().stars;
    EXPECT_EQ(st.count, 320);
    EXPECT_EQ(st.trail, 2);
    for (int32_t i = 0; i < st.count; ++i) {
        EXPECT_TRUE(st.typeIndex[i] == 12 || st.typeIndex[i] == 30) << st.typeIndex[i];
    }
}

// A frame-limited preview (the about box's) shows its last frame; a preview
// follows the universe's gravity, under which the saver throws no comets.
TEST(DriverRun, PreviewShowsItsLastFrameAndHonoursGravity) {
    for (float gravity : {0.0f, 5000.0f}) {
        UniverseSettings u = test::TinyUniverse();
        u.gravForce = gravity;
        DriverRig rig(u);
        rig.settings.records.types[4].cometFreq = 9999;
        rig.driver.SetRecords(rig.settings.records.types, rig.settings.records.composites);
        rig.driver.SetUniverseSettings(u);
        rig.driver.SetUpDialogSurface(160, 120, true, 1.0f);
        rig.driver.DialogPreviewRunner(4, true, 30, 400, 1, false, 1.0f);
        EXPECT_EQ(rig.host.frames, 30);
        const CometPool& c = rig.driver.Engine().comets.pool;
        const bool anyComet = std::find(c.pAlive.begin(), c.pAlive.end(), true) != c.pAlive.end();
        EXPECT_EQ(anyComet, gravity == 0) << gravity;
    }
}

TEST(DriverRun, FramesOfTheTourAllocateNothing) {
    for (float gravity : {0.0f, 5000.0f}) {
        UniverseSettings u = test::TinyUniverse();
        u.gravForce = gravity;
        u.sTrail = gravity > 0 ? 3 : 1;
        DriverRig rig(u);
        int64_t allocations = -1;
        rig.host.onFrame = [&](int64_t frames) {
            if (frames == 5) test::StartCountingAllocations();
            if (frames == 105) {
                allocations = test::StopCountingAllocations();
                rig.state.StopRequested = true;
            }
        };
        rig.driver.SetUpRunSurface(160, 120, false);
        rig.driver.RunWindowLoop(false);
        // A hundred frames: tours, departures and new universes.
        EXPECT_EQ(allocations, 0) << gravity;
    }
}

}  // namespace
}  // namespace orrelume
