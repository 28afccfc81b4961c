// The program's message boxes: titled "Orrelume", with the information icon
// for notes and the exclamation icon for the store's write test.
#pragma once

#include <QString>

#include <string_view>

#include "settings/store.h"

class QWidget;

namespace orrelume {

// An information box titled "Orrelume" over `parent` (modal; returns when
// the user has read it).
void ShowInformation(QWidget* parent, const QString& text);

// Shows the store's messages in exclamation boxes over the active window.
class MessageBoxSink : public MessageSink {
  public:
    void ShowExclamation(std::string_view title, std::string_view text) override;
};

}  // namespace orrelume
