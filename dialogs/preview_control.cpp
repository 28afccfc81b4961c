#include "dialogs/preview_control.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "ui/field_rules.h"
#include "ui/host_trace.h"

namespace orrelume {

bool IsInputControl(const QWidget* w) {
    // Everything the user can change or press; labels, frames and the
    // picture stay as they are.
    return qobject_cast<const QAbstractButton*>(w) != nullptr ||
           qobject_cast<const QLineEdit*>(w) != nullptr ||
           qobject_cast<const QComboBox*>(w) != nullptr ||
           qobject_cast<const QAbstractItemView*>(w) != nullptr;
}

PreviewControl::PreviewControl(QWidget& window, RunFlags& flags, std::string traceName,
                               bool focusButtonFirst)
    : window_(window),
      flags_(flags),
      traceName_(std::move(traceName)),
      focusButtonFirst_(focusButtonFirst) {}

void PreviewControl::Stop() {
    if (running_) flags_.RestartRequested = true;
}

void PreviewControl::Begin(QPushButton& button, std::string_view what) {
    running_ = true;
    flags_.StopRequested = false;
    flags_.RestartRequested = false;
    // In an editor the focus goes to the button first: were it left in a
    // field, it would hop from field to field as they are disabled, and each
    // field it left would be bounded (an empty row would fill with zeros).
    if (focusButtonFirst_) button.setFocus();
    disabled_.clear();
    for (QWidget* w : window_.findChildren<QWidget*>()) {
        if (w == &button || !IsInputControl(w) || !w->isEnabled()) continue;
        w->setEnabled(false);
        disabled_.push_back(w);
    }
    button.setText(QStringLiteral("Stop"));
    NameForReaders(button, button.text());
    Trace(traceName_ + "-start " + std::string(what));
}

void PreviewControl::End(QPushButton& button, const QString& idleCaption, std::string_view what) {
    running_ = false;
    flags_.RestartRequested = false;
    // Each control goes back to what it was: those that other controls had
    // disabled stay disabled.
    for (QWidget* w : disabled_)
        w->setEnabled(true);
    disabled_.clear();
    if (afterRestore) afterRestore();
    button.setText(idleCaption);
    NameForReaders(button, button.text());
    Trace(traceName_ + "-stop " + std::string(what));
}

}  // namespace orrelume
