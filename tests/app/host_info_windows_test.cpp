// The information windows: the diagnostics' values and store test, the
// about box's promise to leave every setting alone, the credits' starfield
// that erases what it draws, and a manual in which every Help button and
// link finds its page.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <algorithm>
#include <vector>

#include "app/host_test_app.h"
#include "dialogs/about_box.h"
#include "dialogs/credits_window.h"
#include "dialogs/diagnostics_values.h"
#include "dialogs/properties_dialog.h"
#include "dialogs/starfield.h"
#include "dialogs/system_diagnostics.h"
#include "settings/factory_themes.h"
#include "settings/memory_backend.h"
#include "support/app/dialog_rig.h"
#include "support/store_sets.h"
#include "ui/help.h"
#include "ui/help_search.h"
#include "ui/help_window.h"
#include "ui/preview_box.h"

namespace orrelume {
namespace {

TEST(SystemDiagnostics, ColourCountIsCappedAndUnknownValuesAreFlagged) {
    EXPECT_EQ(ColourCountText(24), "16,777,216");
    EXPECT_EQ(ColourCountText(32), "2,147,483,648");
    EXPECT_EQ(ColourCountText(48), "2,147,483,648");
    for (const std::string& unknown : {ColourCountText(0), std::string("0"), std::string("")}) {
        const DiagnosticText shown = DisplayValue(unknown);
        EXPECT_EQ(shown.text, "???");
        EXPECT_TRUE(shown.problem);
    }
    EXPECT_FALSE(DisplayValue("1920").problem);
}

// "OK" only when the value really reached the store: a store that takes the
// value but cannot commit it is "No Access" too.
TEST(SystemDiagnostics, StoreTestOnWritableAndReadOnlyStores) {
    test::HostTestApp();
    MemoryBackend user;
    SettingsStore store(&user);
    EXPECT_EQ(StoreAccessTest(store), "OK");
    EXPECT_EQ(store.ReadSettingText("General", "RegistryReadWriteTest", ""), "OK");

    MemoryBackend refusing;
    refusing.SetFailWrites(true);
    SettingsStore readOnly(&refusing);
    EXPECT_EQ(StoreAccessTest(readOnly), "No Access");
    MemoryBackend unflushable;
    unflushable.SetFailFlush(true);
    SettingsStore stuck(&unflushable);
    EXPECT_EQ(StoreAccessTest(stuck), "No Access");

    // The window shows the answer, in red when there is no access, and its
    // graphics test draws the circle's pixels through a drawing surface.
    frmSystemDiag window(readOnly);
    window.show();
    EXPECT_EQ(window.Field(5).text(), "No Access");
    EXPECT_TRUE(window.FieldIsProblem(5));
    EXPECT_EQ(window.Field(5).palette().color(QPalette::Text), QColor(255, 0, 0));
    frmSystemDiag fine(store);
    EXPECT_EQ(fine.Field(5).text(), "OK");
    EXPECT_FALSE(fine.FieldIsProblem(5));

    const DrawingSurface& surface = window.Graphics().Surface();
    ASSERT_GT(surface.width(), 20);
    const auto lit =
        std::count(surface.pixels().begin(),
                   surface.pixels().begin() + surface.width() * surface.height(), 0xFFFFFFFFu);
    EXPECT_GT(lit, 60);
    EXPECT_LE(lit, 361);
    // The rightmost point of the circle (angle 0).
    const PixelPoint right = GraphicsTestPoints(surface.width(), surface.height()).front();
    EXPECT_EQ(surface.pixels()[static_cast<size_t>(right.y) * surface.width() + right.x],
              0xFFFFFFFFu);
}

TEST(AboutBox, ShowsSlotZeroAndDefinedCompositesOnly) {
    CompositeTable composites = FactorySettingsSet(kPresetSet4x).composites;
    for (int slot = 0; slot < kCompositeGalaxyCount; ++slot)
        EXPECT_TRUE(AboutShowsComposite(composites, slot)) << slot;
    composites[0].count = 0;
    composites[3].count = 0;
    composites[5].name = " Undefined ";
    EXPECT_TRUE(AboutShowsComposite(composites, 0));
    EXPECT_FALSE(AboutShowsComposite(composites, 3));
    EXPECT_FALSE(AboutShowsComposite(composites, 5));
    EXPECT_TRUE(AboutShowsComposite(composites, 4));
}

// The about box animates the factory composites while the properties dialog
// holds other settings; afterwards the dialog's records and the store are as
// they were, and nothing was written or committed.
TEST(AboutBox, LeavesTheStoreAndTheDialogsSettingsAlone) {
    test::HostTestApp();
    MemoryBackend user;
    testing::CapturingSink sink;
    SettingsStore store(&user, nullptr, &sink);
    SettingsSet mine = testing::GenerationSet(7);
    store.WriteSetting("General", "ResetSettings", int16_t{1});
    ASSERT_TRUE(SaveAllSettings(store, mine));
    HostState process;
    frmProps props(store, process);
    const SettingsSet held = props.WorkingSet();
    const auto stored = user.Sections();
    const int writes = user.WriteCount();
    const int flushes = user.FlushCount();

    frmAbout about(store, &props);
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (about.Picture().FramesPresented() >= 3) about.DismissButton().click();
    });
    poll.start();
    about.exec();
    poll.stop();

    EXPECT_GE(about.Picture().FramesPresented(), 3);
    EXPECT_FALSE(about.Animating());
    EXPECT_EQ(about.CompositeCounter(), 1);  // composite 0 was shown
    EXPECT_TRUE(testing::SameSet(props.WorkingSet(), held));
    EXPECT_EQ(user.Sections(), stored);
    EXPECT_EQ(user.WriteCount(), writes);
    EXPECT_EQ(user.FlushCount(), flushes);
    EXPECT_TRUE(sink.messages.empty());
}

// Every star is drawn by inversion: after any number of frames, erasing the
// stars leaves the black picture they started on, even where dots overlap.
TEST(Credits, StarfieldErasesExactlyWhatItDrew) {
    std::vector<uint32_t> pixels(160 * 90, 0xFF000000u);
    Starfield field(42);
    field.Start(pixels.data(), 160, 90, 160, 200, 0.02f);
    EXPECT_EQ(field.StarCount(), 201u);
    for (int frame = 0; frame < 300; ++frame)
        field.Frame();
    EXPECT_TRUE(
        std::any_of(pixels.begin(), pixels.end(), [](uint32_t p) { return p != 0xFF000000u; }));
    field.EraseAll();
    EXPECT_TRUE(
        std::all_of(pixels.begin(), pixels.end(), [](uint32_t p) { return p == 0xFF000000u; }));

    const CreditsParameters low = BoundCreditsParameters(5, 0.0001, 0);
    EXPECT_EQ(low.stars, 10);
    EXPECT_FLOAT_EQ(low.speed, 0.0025f);
    EXPECT_FLOAT_EQ(low.scrollStep, 0.5f);
    const CreditsParameters high = BoundCreditsParameters(1e9, 1, 50);
    EXPECT_EQ(high.stars, 200);
    EXPECT_FLOAT_EQ(high.speed, 0.25f);
    EXPECT_FLOAT_EQ(high.scrollStep, 10.0f);
}

TEST(Credits, AnimatesScrollsAndStopsOnOk) {
    test::HostTestApp();
    frmCredits credits(nullptr, 7);
    credits.SetParameters(150, 0.005, 2);
    credits.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return credits.Frames() >= 5; }, 3000));
    const QImage& field = credits.Field();
    ASSERT_FALSE(field.isNull());
    int lit = 0;
    for (int y = 0; y < field.height(); ++y) {
        for (int x = 0; x < field.width(); ++x)
            lit += (field.pixel(x, y) & 0xFFFFFF) != 0 ? 1 : 0;
    }
    EXPECT_GT(lit, 50);
    // The text moves up, two pixels a frame.
    const int top = credits.CreditsPanel().y();
    ASSERT_TRUE(QTest::qWaitFor([&] { return credits.CreditsPanel().y() <= top - 4; }, 3000));

    credits.DismissButton().click();
    EXPECT_FALSE(credits.isVisible());
    EXPECT_FALSE(credits.Running());
}

QString ManualDir() {
    return QString::fromStdString(ManualDirectory());
}

// Every topic a Help button or menu can ask for has its page, and every link
// between the manual's pages leads to a page (and an anchor) that exists.
TEST(Manual, EveryTopicAndLinkFindsItsPage) {
    test::HostTestApp();
    const QDir dir(ManualDir());
    ASSERT_FALSE(ManualDir().isEmpty());
    for (const HelpTopic topic : kHelpTopics) {
        const QString page = QString::fromUtf8(HelpPageOf(topic).data());
        EXPECT_TRUE(QFile::exists(dir.filePath(page))) << page.toStdString();
    }

    const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    const QRegularExpression name(QStringLiteral("(?:name|id)=\"([^\"]*)\""));
    for (const QString& file : dir.entryList({QStringLiteral("*.html")}, QDir::Files)) {
        QFile f(dir.filePath(file));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(f.readAll());
        EXPECT_TRUE(html.contains(QStringLiteral("<title>"))) << file.toStdString();
        for (auto m = href.globalMatch(html); m.hasNext();) {
            const QString link = m.next().captured(1);
            if (link.startsWith(QStringLiteral("https://"))) {
                EXPECT_EQ(link.toStdString(), kHomePageAddress) << file.toStdString();
                continue;
            }
            const QString target = link.section(QLatin1Char('#'), 0, 0);
            const QString anchor = link.section(QLatin1Char('#'), 1);
            const QString targetFile = target.isEmpty() ? file : target;
            QFile t(dir.filePath(targetFile));
            ASSERT_TRUE(t.open(QIODevice::ReadOnly))
                << file.toStdString() << " -> " << link.toStdString();
            if (anchor.isEmpty()) continue;
            bool found = false;
            const QString targetHtml = QString::fromUtf8(t.readAll());
            for (auto n = name.globalMatch(targetHtml); n.hasNext() && !found;)
                found = n.next().captured(1) == anchor;
            EXPECT_TRUE(found) << file.toStdString() << " -> " << link.toStdString();
        }
    }
}

TEST(Manual, SearchFindsPagesHoldingEveryWord) {
    const std::vector<ManualPage> pages = {
        {"a.html", "Stars", "A star, a comet."},
        {"b.html", "Comets", "Comet tails; comet STARS and comet hues."},
        {"c.html", "Other", "Nothing here."},
    };
    const std::vector<ManualHit> hits = SearchManual(pages, "comet star");
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].page, 1u);  // more hits first
    EXPECT_EQ(hits[1].page, 0u);
    EXPECT_TRUE(SearchManual(pages, "  ").empty());
    EXPECT_TRUE(SearchManual(pages, "comet nebula").empty());

    // The help window searches the real manual and shows what it found.
    test::HostTestApp();
    HelpWindow window(ManualDir());
    window.ShowTopic(HelpTopic::SystemDiagnostics);
    EXPECT_EQ(window.CurrentPage(), "diagnostics.html");
    ASSERT_GT(window.Search(QStringLiteral("propsave.glx")), 0);
    EXPECT_FALSE(window.Browser().textCursor().selectedText().isEmpty());
    window.close();
}

TEST(HomePage, AFailedOpenShowsTheAddress) {
    test::HostTestApp();
    std::string asked;
    SetWebOpener([&](std::string_view address) {
        asked = address;
        return false;
    });
    QString shown;
    test::AnswerNextMessage(shown);
    OpenHomePage(nullptr);
    SetWebOpener({});
    EXPECT_EQ(asked, kHomePageAddress);
    EXPECT_EQ(shown, QStringLiteral("https://orrelume.org/\n\nThe Web Page could not be reached."));
}

}  // namespace
}  // namespace orrelume
