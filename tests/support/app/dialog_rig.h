// Shared helpers of the dialog tests on the offscreen platform: a store
// that holds accepted settings, a named control looked up, and the next
// message box answered.
#pragma once

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QString>
#include <QWidget>

#include <map>
#include <string>

#include "driver/host_state.h"
#include "settings/memory_backend.h"
#include "settings/store.h"
#include "support/store_sets.h"

namespace orrelume::test {

// A user who has accepted the 4.x factory settings before: the store the
// properties dialog opens on, with the messages it shows collected.
struct DialogRig {
    MemoryBackend user;
    testing::CapturingSink sink;
    SettingsStore store{&user, nullptr, &sink};
    HostState process;

    DialogRig();
    // Every stored value but the dialog's own placement.
    std::map<std::string, std::map<std::string, std::string>> Settings() const;
};

// The control of that object name, which the test expects to be there.
template <typename W>
W& Child(const QWidget& parent, const QString& name) {
    W* w = parent.findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return *w;
}

// Closes the message box that the next call opens, keeping its text. The
// box must open before the call serves its first events.
void AnswerNextMessage(QString& text);

// Answers the next message box or question with the given button once it
// shows (a load or save may serve events before the box opens).
void AnswerNextBox(QMessageBox::StandardButton answer);

}  // namespace orrelume::test
