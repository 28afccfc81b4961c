// The information windows: the diagnostics' store test, the about box's
// promise to leave every setting alone, the credits' animation, and a manual
// in which every Help button and link finds its page. What they show without
// a window is tested in tests/core/info_values_test.cpp.
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

#include "app/host_test_app.h"
#include "dialogs/about_box.h"
#include "dialogs/credits_window.h"
#include "dialogs/diagnostics_values.h"
#include "dialogs/properties_dialog.h"
#include "dialogs/system_diagnostics.h"
#include "settings/memory_backend.h"
#include "support/app/dialog_rig.h"
#include "support/store_sets.h"
#include "ui/help.h"
#include "ui/help_window.h"
#include "ui/preview_box.h"

namespace orrelume {
namespace {

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

// The help window searches the real manual and shows what it found.
TEST(Manual, TheWindowSearchesTheRealManual) {
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
