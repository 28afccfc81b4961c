#include "dialogs/universe_rows.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "ui/field_rules.h"
#include "ui/widgets.h"

namespace orrelume {

void SetListRows(QListWidget& list, int rows) {
    const int row = list.fontMetrics().height() + 2;
    list.setMinimumHeight(row * rows + 2 * list.frameWidth());
}

NamePercentRow AddNamePercentRow(QBoxLayout& into, QLabel& label, const NamePercentNames& names,
                                 std::vector<QWidget*>& focusOrder) {
    auto* row = new QHBoxLayout;
    into.addLayout(row);
    NamePercentRow out{new QLineEdit, new QLineEdit};
    out.name->setObjectName(QString::fromLatin1(names.name));
    NameForReaders(*out.name, label.text(), QStringLiteral("Name"));
    ApplyFieldRules(*out.name, Typing::Free).SetSwallowed(Q(names.refused));
    label.setBuddy(out.name);
    row->addWidget(out.name, 1);
    focusOrder.push_back(out.name);
    out.percent->setObjectName(QString::fromLatin1(names.percent));
    NameForReaders(*out.percent, label.text(), QStringLiteral("Percent"));
    // The fields take up to 9999; the arrow keys step within 0..999.
    ApplyFieldRules(*out.percent, Typing::Digits, std::nullopt, ArrowKeys{1, 0, 999});
    SizeForDigits(*out.percent, 5);
    row->addWidget(out.percent);
    focusOrder.push_back(out.percent);
    auto* spin = new SpinButton;
    spin->setObjectName(QString::fromLatin1(names.spin));
    row->addWidget(spin);
    BindSpinField(*out.percent, *spin, 0, 9999, 4);
    return out;
}

}  // namespace orrelume
