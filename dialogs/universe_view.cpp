#include "dialogs/universe_view.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orrelume {

// Placeholder until the pages are built: the two lists and the buttons.
struct UniverseView::Parts {
    QListWidget* galaxies = nullptr;
    QListWidget* composites = nullptr;
    QPushButton* previewComp = nullptr;
    QWidget* copyPanel = nullptr;
};

UniverseView::UniverseView(SettingsSet& set, QWidget* parent)
    : QWidget(parent), set_(set), parts_(new Parts) {
    auto* layout = new QVBoxLayout(this);
    parts_->galaxies = new QListWidget(this);
    parts_->composites = new QListWidget(this);
    parts_->previewComp = new QPushButton(QStringLiteral("Preview Comp"), this);
    parts_->copyPanel = new QWidget(this);
    layout->addWidget(parts_->galaxies);
    layout->addWidget(parts_->composites);
    layout->addWidget(parts_->previewComp);
    layout->addWidget(parts_->copyPanel);
    RefreshLists();
}

UniverseView::~UniverseView() {
    delete parts_;
}

void UniverseView::ShowUniverseValues(const UniverseSettings&) {}

UniverseSettings UniverseView::TakeUniverseValues(const UniverseSettings& base) const {
    return base;
}

UniverseSettings UniverseView::PreviewUniverseValues(const UniverseSettings& base) const {
    return base;
}

int32_t UniverseView::UniverseFieldValue(int) const {
    return 0;
}

void UniverseView::RefreshLists() {
    parts_->galaxies->clear();
    for (const GalaxyType& t : set_.types)
        parts_->galaxies->addItem(QString::fromStdString(t.name));
    parts_->composites->clear();
    for (const CompositeGalaxy& c : set_.composites)
        parts_->composites->addItem(QString::fromStdString(c.name));
}

void UniverseView::RefreshGalaxyEntry(int) {
    RefreshLists();
}

int UniverseView::SelectedGalaxyType() const {
    return parts_->galaxies->currentRow();
}

int UniverseView::SelectedComposite() const {
    return parts_->composites->currentRow();
}

void UniverseView::SelectFirstGalaxyType() {
    parts_->galaxies->setCurrentRow(0);
}

void UniverseView::ShowUniverseThemePosition(int) {}

void UniverseView::ShowFirstExtrasPage() {}

void UniverseView::ClearCompositeSelection() {
    parts_->composites->setCurrentRow(-1);
}

QListWidget& UniverseView::GalaxyList() const {
    return *parts_->galaxies;
}

QListWidget& UniverseView::CompositeList() const {
    return *parts_->composites;
}

QPushButton& UniverseView::PreviewCompButton() const {
    return *parts_->previewComp;
}

QWidget& UniverseView::CopyPanelPlace() const {
    return *parts_->copyPanel;
}

}  // namespace orrelume
