// A preview run from a button of a dialog (the properties dialog's three,
// each companion editor's one): while it runs the dialog's other input
// controls are disabled, the button reads "Stop", and a restart request on
// the preview's own flags (the button again, Escape, closing the window)
// ends it. Afterwards every control is as it was: those that other
// controls had disabled stay disabled.
#pragma once

#include <QString>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "driver/host_state.h"

class QPushButton;
class QWidget;

namespace orrelume {

class PreviewControl {
  public:
    // Trace lines "`traceName`-start WHAT" and "`traceName`-stop WHAT" mark
    // each run. With `focusButtonFirst` the keyboard goes to the button
    // before the other controls are disabled.
    PreviewControl(QWidget& window, RunFlags& flags, std::string traceName, bool focusButtonFirst);

    bool Running() const { return running_; }
    // Runs `preview` (which runs the box until a restart request) from
    // `button`, whose caption when idle is `idleCaption`, and returns when it
    // has ended.
    template <typename Preview>
    void Run(QPushButton& button, const QString& idleCaption, std::string_view what,
             Preview&& preview) {
        if (running_) return;
        Begin(button, what);
        preview();
        End(button, idleCaption, what);
    }
    // Ends a running preview at the end of its frame.
    void Stop();

    // Called when the controls are back, before the stop is traced.
    std::function<void()> afterRestore;

  private:
    void Begin(QPushButton& button, std::string_view what);
    void End(QPushButton& button, const QString& idleCaption, std::string_view what);

    QWidget& window_;
    RunFlags& flags_;
    std::string traceName_;
    bool focusButtonFirst_;
    bool running_ = false;
    std::vector<QWidget*> disabled_;
};

// The controls a preview disables: buttons, fields, lists and boxes.
bool IsInputControl(const QWidget* widget);

}  // namespace orrelume
