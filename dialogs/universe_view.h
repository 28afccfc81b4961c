// The universe view of the properties dialog: the universe values in five
// pages with the three fields that are always shown, the galaxy-type list
// with each type's name and percentage, the composite editor, and the place
// of the property copy panel.
//
// The view edits the dialog's set in place: committed names, percentages
// and composites go straight into its records. The universe values live in
// the view's controls until the dialog takes them.
#pragma once

#include <QWidget>

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "settings/records.h"

class QBoxLayout;
class QGridLayout;
class QVBoxLayout;
class QListWidget;
class QPushButton;

namespace orrelume {

class UniverseView : public QWidget {
    Q_OBJECT
  public:
    UniverseView(SettingsSet& set, QWidget* parent = nullptr);
    ~UniverseView() override;

    // Fills every universe control (fields, lists, boxes, tour list).
    void ShowUniverseValues(const UniverseSettings& universe);
    // The universe values the controls hold, each bounded as leaving its
    // field would; what no control shows comes from `base`.
    UniverseSettings TakeUniverseValues(const UniverseSettings& base) const;
    // The values a universe preview runs with: the controls' values within
    // the preview's bounds; what no control shows comes from `base`.
    UniverseSettings PreviewUniverseValues(const UniverseSettings& base) const;
    // The whole number field `index` of `txtUni` holds (0 when none).
    int32_t UniverseFieldValue(int index) const;

    // Rebuilds the galaxy-type and composite lists and the universe profile
    // list from the records.
    void RefreshLists();
    // Rebuilds the entry of one galaxy type (after its view was left).
    void RefreshGalaxyEntry(int type);
    // The selected galaxy type or composite, -1 when none.
    int SelectedGalaxyType() const;
    int SelectedComposite() const;
    void SelectFirstGalaxyType();
    // Shows the universe theme list at a position (0 "< NONE >", 1..8)
    // without applying a theme.
    void ShowUniverseThemePosition(int position);
    // Shows the first page of the universe pages.
    void ShowFirstExtrasPage();
    // Clears the composite editor: no composite, major or minor type chosen.
    void ClearCompositeSelection();
    // Enables the page in front and disables the others, and enables the
    // tour controls as the three tour boxes ask. Call it after enabling every
    // control at once (when a preview ends).
    void RefreshEnabling();

    QListWidget& GalaxyList() const;
    QListWidget& CompositeList() const;
    // "Preview Comp", on the composite page.
    QPushButton& PreviewCompButton() const;
    // The empty frame where the property copy panel goes.
    QWidget& CopyPanelPlace() const;

  signals:
    // "Show Props" or a double click on a galaxy type.
    void galaxyTypeOpened(int type);
    // A double click on a composite: start or stop its preview.
    void compositePreviewToggled();
    // A universe theme (1..8) was chosen.
    void universeThemeChosen(int theme);

  private:
    struct Parts;
    void BuildUniverseFrame(QBoxLayout& column);
    QWidget* BuildCreationPage();
    QWidget* BuildNewAmbientPage();
    QWidget* BuildTourPage();
    QWidget* BuildCompositePage();
    QWidget* BuildGravityPage();
    void BuildGalaxyTypesFrame(QBoxLayout& column);
    // The label and field of `txtUni` field `index` as a row of the grid,
    // with the field after it when that one shares the label.
    void AddFieldRow(QGridLayout& grid, int index);
    // A page of the universe pages that starts with the rows of `fields` in
    // `grid`; `layout` is the page's, for what follows them.
    QWidget* MakeFieldPage(std::initializer_list<int> fields, QVBoxLayout*& layout,
                           QGridLayout*& grid);

    void ShowPage(int page);
    void RefreshTourEnabling();
    void RefreshGalaxyEntries();
    void RefreshCompositeEntries();
    void RefreshTypeNames(int type);
    QString GalaxyEntry(int type) const;
    QString CompositeEntry(int slot) const;
    void FillGalaxyFields();
    void CommitGalaxy();
    void ResetGalaxyPercents();
    void ShowGalaxyProps();
    void Inform(std::string_view text);

    SettingsSet& set_;
    Parts* parts_;
};

}  // namespace orrelume
