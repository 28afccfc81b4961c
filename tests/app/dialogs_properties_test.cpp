// The properties dialog as a whole, on the offscreen platform: what Accept,
// Cancel and a store that cannot be written do to the store, the switch to
// the galaxy view and back, and what a preview leaves of the controls.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "dialogs/properties_dialog.h"
#include "dialogs/universe_view.h"
#include "support/app/dialog_rig.h"
#include "ui/preview_box.h"

namespace orrelume {
namespace {

using test::AnswerNextMessage;
using test::Child;
using test::DialogRig;

TEST(PropertiesDialog, AcceptStoresEverythingCancelNothing) {
    DialogRig rig;
    const auto before = rig.Settings();
    {
        frmProps dialog(rig.store, rig.process);
        dialog.show();
        Child<QLineEdit>(dialog, "txtUni_0").setText("777");
        dialog.CancelButton().click();
        EXPECT_FALSE(dialog.isVisible());
    }
    EXPECT_EQ(rig.Settings(), before);

    // A store that cannot be written: one message, nothing written, the
    // dialog stays open with the edit.
    frmProps dialog(rig.store, rig.process);
    dialog.show();
    QLineEdit& stars = Child<QLineEdit>(dialog, "txtUni_0");
    stars.setText("40000");
    rig.user.SetFailWrites(true);
    EXPECT_FALSE(dialog.AcceptSettings());
    EXPECT_EQ(rig.sink.messages.size(), 1u);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(rig.Settings(), before);

    rig.user.SetFailWrites(false);
    EXPECT_TRUE(dialog.AcceptSettings());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(rig.store.ReadSettingText("Universe", "Universe_Stars", ""), "30000");
    EXPECT_EQ(rig.store.ReadSettingText("General", "AnimationType", ""), "0");
    EXPECT_EQ(rig.sink.messages.size(), 1u);
}

TEST(PropertiesDialog, GalaxyViewAndBack) {
    DialogRig rig;
    frmProps dialog(rig.store, rig.process);
    dialog.show();
    // Without a selected type there is no galaxy view (a message says so).
    dialog.Universe().GalaxyList().setCurrentRow(-1);
    QString message;
    AnswerNextMessage(message);
    dialog.OpenGalaxyView();
    EXPECT_FALSE(message.isEmpty());
    EXPECT_FALSE(dialog.GalaxyViewShown());

    dialog.Universe().GalaxyList().setCurrentRow(22);
    dialog.OpenGalaxyView();
    ASSERT_TRUE(dialog.GalaxyViewShown());
    EXPECT_FALSE(dialog.CancelButton().isEnabled());
    EXPECT_EQ(dialog.AcceptButton().text(), "&Return to Universe Settings");
    EXPECT_FALSE(Child<QGroupBox>(dialog, "fraPreview").isEnabled());
    EXPECT_EQ(Child<QGroupBox>(dialog, "fraAni_0").title(),
              QString("Galaxy:  ") + QString::fromStdString(dialog.WorkingSet().types[22].name));
    // Escape in the galaxy view goes back to the universe view.
    dialog.reject();
    EXPECT_FALSE(dialog.GalaxyViewShown());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.CancelButton().isEnabled());
    EXPECT_EQ(dialog.AcceptButton().text(), "&Accept Settings");
    EXPECT_EQ(Child<QGroupBox>(dialog, "fraAni_0").title(), "Galaxy Properties");
}

// A preview disables the dialog's controls while it runs and gives each back
// its state: those the tour box had disabled stay disabled.
TEST(PropertiesDialog, PreviewLeavesEveryControlAsItWas) {
    DialogRig rig;
    frmProps dialog(rig.store, rig.process);
    dialog.show();
    QCheckBox& tour = Child<QCheckBox>(dialog, "chkUniTour");
    if (tour.isChecked()) tour.click();
    QLineEdit& steps = Child<QLineEdit>(dialog, "txtUni_30");
    QLineEdit& stars = Child<QLineEdit>(dialog, "txtUni_0");
    ASSERT_FALSE(steps.isEnabled());
    QPushButton& button = dialog.PreviewButton(PreviewKind::Universe);
    bool sawRunning = false;
    QTimer::singleShot(200, [&] {
        sawRunning = dialog.PreviewRunning() && !stars.isEnabled() && button.isEnabled() &&
                     button.text() == "Stop";
        dialog.reject();  // Escape stops the preview, and only the preview
    });
    dialog.TogglePreview(PreviewKind::Universe);
    EXPECT_TRUE(sawRunning);
    EXPECT_FALSE(dialog.PreviewRunning());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(button.text(), "Preview Universe");
    EXPECT_TRUE(stars.isEnabled());
    EXPECT_FALSE(steps.isEnabled());
    EXPECT_GT(dialog.Preview().FramesPresented(), 0);
}

}  // namespace
}  // namespace orrelume
