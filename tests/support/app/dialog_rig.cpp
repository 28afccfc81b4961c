#include "support/app/dialog_rig.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

#include "app/host_test_app.h"
#include "settings/factory_themes.h"
#include "settings/records.h"

namespace orrelume::test {

DialogRig::DialogRig() {
    HostTestApp();
    SettingsSet set = FactorySettingsSet(kPresetSet4x);
    store.WriteSetting("General", "ResetSettings", int16_t{1});
    SaveAllSettings(store, set);
}

std::map<std::string, std::map<std::string, std::string>> DialogRig::Settings() const {
    auto sections = user.Sections();
    sections.erase("General\\Main");
    return sections;
}

void AnswerNextMessage(QString& text) {
    QTimer::singleShot(0, [&text] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            box->close();
        }
    });
}

void AnswerNextBox(QMessageBox::StandardButton answer) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) return;
        if (QAbstractButton* b = box->button(answer)) b->click();
        poll->deleteLater();
        poll->stop();
    });
    poll->start();
}

}  // namespace orrelume::test
