// The composite editor, the universe view's composite page: the sixteen
// composite galaxies, the chosen one's name and percentage, its major type
// and minor types, Commit, Reset % and "Preview Comp". It edits the
// composites of the dialog's records; the name of a composite that holds
// more than one user-defined IFS type is marked, as the engine draws only
// one of them.
#pragma once

#include <QPalette>
#include <QWidget>

#include <functional>
#include <string_view>
#include <vector>

#include "settings/records.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace orrelume {

struct CompositeChoice;

class CompositeEditor : public QWidget {
    Q_OBJECT
  public:
    // `entryOf` gives the list entry of a composite slot; the page's
    // controls join `focusOrder` in reading order.
    CompositeEditor(SettingsSet& set, std::function<QString(int slot)> entryOf,
                    std::vector<QWidget*>& focusOrder, QWidget* parent = nullptr);

    QListWidget& List() const { return *composites_; }
    // "Preview Comp".
    QPushButton& PreviewButton() const { return *previewComp_; }
    // The selected composite, -1 when none.
    int Selected() const;

    // Rebuilds the sixteen entries from the records.
    void RefreshEntries();
    // A galaxy type's name in the major and minor lists.
    void ShowTypeName(int type, const QString& name);
    // Marks the name when the choice holds more than one user-defined IFS
    // type (a type's style may have changed with the records).
    void MarkIfsTypes();
    // No composite, major or minor type chosen.
    void Clear();

  signals:
    // A double click on a composite: start or stop its preview.
    void previewToggled();

  private:
    void Fill();
    CompositeChoice Choice() const;
    void Commit();
    void ResetPercents();

    SettingsSet& set_;
    std::function<QString(int slot)> entryOf_;
    QListWidget* composites_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* percent_ = nullptr;
    QComboBox* major_ = nullptr;
    QListWidget* minors_ = nullptr;
    QLineEdit* resetPercent_ = nullptr;
    QPushButton* previewComp_ = nullptr;
    QPalette namePalette_;
};

}  // namespace orrelume
