// The property copy panel of the properties dialog: a property chosen from
// the list, its value given in the control that suits it (a number field
// with its range, a list, or a check box), and "Copy" sets that property in
// every galaxy type of the styles it belongs to.
//
// The panel edits the dialog's set in place, like the universe view's
// commits; nothing reaches the store until the dialog's settings are
// accepted.
#pragma once

#include <QWidget>

#include "settings/records.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orrelume {

class PropertyCopyPanel : public QWidget {
    Q_OBJECT
  public:
    // With a parent that has a layout, the panel adds itself to it.
    PropertyCopyPanel(SettingsSet& set, QWidget* parent = nullptr);
    ~PropertyCopyPanel() override;

    // "Copy": copies the value, or says what is missing and puts the focus
    // where it is missing.
    void Copy();

    // Puts the panel's controls, in their own order, right after `previous`
    // in the keyboard's order (a panel made after the rest of its window
    // would otherwise come last).
    void FollowInTabOrder(QWidget& previous);

  signals:
    // A copy changed the records.
    void copied();

  private:
    void ChooseEntry(int entry);
    void SetFieldTyping(int entry);

    SettingsSet& set_;
    QComboBox* cboPropCopyList_ = nullptr;
    QLabel* lblPropCopy_ = nullptr;
    QLineEdit* txtPropCopy_ = nullptr;
    QComboBox* cboPropCopy_ = nullptr;
    QCheckBox* chkPropCopy_ = nullptr;
    QPushButton* cmdPropCopy_ = nullptr;
};

}  // namespace orrelume
