// The galaxy view of the properties dialog: the property grid of one galaxy
// type in three pages (motion, shape and colour; new, nova and pulsar stars;
// comets and colours), relabelled and re-ranged for the type's style.
#pragma once

#include <QWidget>

#include "settings/records.h"

class QPushButton;

namespace orrelume {

class GalaxyView : public QWidget {
    Q_OBJECT
  public:
    explicit GalaxyView(QWidget* parent = nullptr);
    ~GalaxyView() override;

    // Relabels the grid for the type's style and shows the type's values.
    void ShowGalaxyType(const GalaxyType& type);
    // Takes the grid into the type: every field bounded as leaving it would,
    // the rows that serve two fields written to both, the colour computation
    // by the style's rule. A factory theme chosen since the type was shown
    // also brings its levels, points and atoms. Name and percentage stay.
    void TakeGalaxyType(GalaxyType& type);

    // Shows page 0..2 of the grid.
    void ShowPage(int page);
    // The first control of the current page (where the focus goes on entry).
    QWidget* FirstControl() const;

    // "..." (the levels of a standard galaxy) and "User Defined ..." (the
    // points or atoms of the user-defined styles).
    QPushButton& LevelsButton() const;
    QPushButton& UserDefinedButton() const;

  signals:
    void levelsRequested();
    void userDefinedRequested();

  private:
    struct Parts;
    Parts* parts_;
};

}  // namespace orrelume
