#include "dialogs/galaxy_view.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace orrelume {

// Placeholder until the grid is built: the two companion buttons only.
struct GalaxyView::Parts {
    QPushButton* levels = nullptr;
    QPushButton* userDefined = nullptr;
    GalaxyType shown;
};

GalaxyView::GalaxyView(QWidget* parent) : QWidget(parent), parts_(new Parts) {
    auto* layout = new QVBoxLayout(this);
    parts_->levels = new QPushButton(QStringLiteral("..."), this);
    parts_->userDefined = new QPushButton(QStringLiteral("User Defined ..."), this);
    layout->addWidget(parts_->levels);
    layout->addWidget(parts_->userDefined);
}

GalaxyView::~GalaxyView() {
    delete parts_;
}

void GalaxyView::ShowGalaxyType(const GalaxyType& type) {
    parts_->shown = type;
}

void GalaxyView::TakeGalaxyType(GalaxyType&) {}

void GalaxyView::ShowPage(int) {}

QWidget* GalaxyView::FirstControl() const {
    return parts_->levels;
}

QPushButton& GalaxyView::LevelsButton() const {
    return *parts_->levels;
}

QPushButton& GalaxyView::UserDefinedButton() const {
    return *parts_->userDefined;
}

}  // namespace orrelume
