#include "dialogs/property_copy_panel.h"

#include <QAbstractItemView>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <initializer_list>
#include <string>

#include "dialogs/property_copy.h"
#include "ui/field_rules.h"
#include "ui/message_box.h"
#include "ui/widgets.h"

namespace orrelume {

namespace {

// Characters the lists show at least; their drop-downs open as wide as
// their longest item, so that the panel need not be.
constexpr int kPropertyListCharacters = 18;
constexpr int kValueListCharacters = 12;
// Room for the widest value ("0.9999", "30000") and a little more.
constexpr int kValueFieldCharacters = 7;

void FitDropDownToItems(QComboBox& list) {
    QAbstractItemView* view = list.view();
    const int scroll =
        view->verticalScrollBar() ? view->verticalScrollBar()->sizeHint().width() : 0;
    view->setMinimumWidth(view->sizeHintForColumn(0) + scroll + 2 * view->frameWidth());
}

QComboBox* MakeList(const char* name, int characters, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(characters);
    list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return list;
}

}  // namespace

PropertyCopyPanel::PropertyCopyPanel(SettingsSet& set, QWidget* parent)
    : QWidget(parent), set_(set) {
    setObjectName(QStringLiteral("PropertyCopyPanel"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);

    // The property list under its label. The controls are made in the order
    // the keyboard visits them.
    auto* pickRow = new QHBoxLayout;
    column->addLayout(pickRow);
    auto* pickLabel = new QLabel(Q(kCopyPickCaption), this);
    pickLabel->setObjectName(QStringLiteral("lblPropCopyPick"));
    pickRow->addWidget(pickLabel);
    cboPropCopyList_ = MakeList("cboPropCopyList", kPropertyListCharacters, this);
    for (const CopyEntry& entry : PropertyCopyEntries())
        cboPropCopyList_->addItem(Q(entry.caption));
    cboPropCopyList_->setCurrentIndex(-1);
    FitDropDownToItems(*cboPropCopyList_);
    NameForReaders(*cboPropCopyList_, pickLabel->text());
    pickLabel->setBuddy(cboPropCopyList_);
    pickRow->addWidget(cboPropCopyList_, 1);

    // One value control shows at a time, all in the same place; the check
    // box also takes the label's place.
    auto* valueRow = new QGridLayout;
    column->addLayout(valueRow);
    valueRow->setColumnStretch(1, 1);
    lblPropCopy_ = new QLabel(Q(kCopyValueCaption), this);
    lblPropCopy_->setObjectName(QStringLiteral("lblPropCopy"));
    valueRow->addWidget(lblPropCopy_, 0, 0);

    txtPropCopy_ = new QLineEdit(this);
    txtPropCopy_->setObjectName(QStringLiteral("txtPropCopy"));
    SizeForDigits(*txtPropCopy_, kValueFieldCharacters);
    NameForReaders(*txtPropCopy_, lblPropCopy_->text());
    lblPropCopy_->setBuddy(txtPropCopy_);
    valueRow->addWidget(txtPropCopy_, 0, 1, Qt::AlignLeft);

    cboPropCopy_ = MakeList("cboPropCopy", kValueListCharacters, this);
    NameForReaders(*cboPropCopy_, Q(kCopyValueCaption));
    valueRow->addWidget(cboPropCopy_, 0, 0, 1, 2);
    // A long style name may not fit the closed list: its tip tells it whole.
    connect(cboPropCopy_, &QComboBox::currentTextChanged, cboPropCopy_, &QWidget::setToolTip);
    cboPropCopy_->hide();

    chkPropCopy_ = new QCheckBox(Q(kCopyCheckFormCaption), this);
    chkPropCopy_->setObjectName(QStringLiteral("chkPropCopy"));
    NameForReaders(*chkPropCopy_, chkPropCopy_->text());
    valueRow->addWidget(chkPropCopy_, 0, 0, 1, 2, Qt::AlignLeft);
    chkPropCopy_->hide();

    cmdPropCopy_ = new QPushButton(Q(kCopyButtonCaption), this);
    cmdPropCopy_->setObjectName(QStringLiteral("cmdPropCopy"));
    cmdPropCopy_->setAutoDefault(false);  // Enter belongs to the dialog's accept button
    NameForReaders(*cmdPropCopy_, cmdPropCopy_->text());
    valueRow->addWidget(cmdPropCopy_, 0, 2);

    SetFieldTyping(-1);
    connect(cboPropCopyList_, &QComboBox::currentIndexChanged, this,
            &PropertyCopyPanel::ChooseEntry);
    connect(cmdPropCopy_, &QPushButton::clicked, this, &PropertyCopyPanel::Copy);

    if (parent != nullptr && parent->layout() != nullptr) {
        // Above whatever stretch keeps the place's other contents together.
        if (auto* box = qobject_cast<QBoxLayout*>(parent->layout()))
            box->insertWidget(0, this);
        else
            parent->layout()->addWidget(this);
    }
}

PropertyCopyPanel::~PropertyCopyPanel() = default;

void PropertyCopyPanel::FollowInTabOrder(QWidget& previous) {
    QWidget* before = &previous;
    for (QWidget* control : std::initializer_list<QWidget*>{
             cboPropCopyList_, txtPropCopy_, cboPropCopy_, chkPropCopy_, cmdPropCopy_}) {
        setTabOrder(before, control);
        before = control;
    }
}

void PropertyCopyPanel::SetFieldTyping(int index) {
    const CopyEntry* entry = FindCopyEntry(index);
    // A field's typing is fixed when its rules are made, and this one serves
    // digits and decimals by turns: its rules are made anew for each choice.
    delete FieldRules::Of(*txtPropCopy_);
    if (entry == nullptr || entry->control != CopyControl::kNumber) {
        ApplyFieldRules(*txtPropCopy_, Typing::Digits);
        return;
    }
    ApplyFieldRules(*txtPropCopy_, entry->typing,
                    FieldBounds{entry->kind, entry->lower, entry->upper});
}

void PropertyCopyPanel::ChooseEntry(int index) {
    txtPropCopy_->clear();
    cboPropCopy_->clear();
    chkPropCopy_->setChecked(false);
    const CopyEntry* entry = FindCopyEntry(index);
    const CopyControl control = entry ? entry->control : CopyControl::kNumber;

    chkPropCopy_->setVisible(control == CopyControl::kCheck);
    if (control == CopyControl::kCheck) {
        chkPropCopy_->setText(Q(kCopyCheckCaption));
        NameForReaders(*chkPropCopy_, chkPropCopy_->text());
    }

    cboPropCopy_->setVisible(control == CopyControl::kList);
    if (control == CopyControl::kList) {
        for (std::string_view item : CopyListItems(*entry))
            cboPropCopy_->addItem(Q(item));
        cboPropCopy_->setCurrentIndex(-1);
        FitDropDownToItems(*cboPropCopy_);
        // The list has no label of its own: it is named after the property.
        NameForReaders(*cboPropCopy_, Q(entry->caption));
    }

    const bool number = control == CopyControl::kNumber;
    lblPropCopy_->setVisible(number);
    txtPropCopy_->setVisible(number);
    if (number) {
        lblPropCopy_->setText(entry ? Q(RangeText(*entry)) : Q(kCopyValueCaption));
        NameForReaders(*txtPropCopy_, lblPropCopy_->text());
    }
    SetFieldTyping(index);
}

void PropertyCopyPanel::Copy() {
    // A value still being typed counts as left, so it is bounded like one.
    if (txtPropCopy_->hasFocus() && !txtPropCopy_->text().trimmed().isEmpty()) {
        if (FieldRules* rules = FieldRules::Of(*txtPropCopy_)) rules->BoundNow();
    }
    const int index = cboPropCopyList_->currentIndex();
    CopyValue value;
    value.text = txtPropCopy_->text().toStdString();
    value.listIndex = cboPropCopy_->currentIndex();
    value.checked = chkPropCopy_->isChecked();
    const CopyResult result = CopyProperty(set_.types, index, value);
    switch (result.outcome) {
        case CopyOutcome::kCopied:
            emit copied();
            return;
        case CopyOutcome::kNoProperty:
            ShowInformation(this, Q(CopyMessage(result.outcome, nullptr)));
            cboPropCopyList_->setFocus();
            return;
        case CopyOutcome::kNoValue: {
            const CopyEntry* entry = FindCopyEntry(index);
            ShowInformation(this, Q(CopyMessage(result.outcome, entry)));
            if (cboPropCopy_->isVisibleTo(this))
                cboPropCopy_->setFocus();
            else
                txtPropCopy_->setFocus();
            return;
        }
    }
}

}  // namespace orrelume
