#include "dialogs/companion_parts.h"

#include <QApplication>
#include <QHBoxLayout>

namespace orrelume::companion {

QLineEdit* MakeNumberField(QWidget* parent, std::string_view objectName, const QString& readerName,
                           Typing typing, const FieldBounds& bounds, int characters,
                           std::optional<ArrowKeys> arrows) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(Q(objectName));
    NameForReaders(*field, readerName);
    ApplyFieldRules(*field, typing, bounds, arrows);
    SizeForDigits(*field, characters);
    return field;
}

void BoundFocusedField() {
    if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        if (FieldRules* rules = FieldRules::Of(*field)) rules->BoundNow();
    }
}

QGroupBox* MakeBoxFrame(QWidget* parent, std::string_view caption, std::string_view objectName,
                        std::string_view prefix, const std::array<EditorBox, 3>& boxes,
                        BoxTriple& out) {
    QGroupBox* frame = MakeFrame(parent, caption, objectName);
    auto* row = new QHBoxLayout(frame);
    for (size_t i = 0; i < boxes.size(); ++i) {
        const EditorBox& box = boxes[i];
        const int index = static_cast<int>(i);
        QLabel* label =
            MakeLabel(frame, box.caption, ("lbl" + Indexed(prefix.substr(3), index)).toStdString());
        const int characters = box.upper > 9999 ? 5 : 4;
        out[i] = MakeNumberField(frame, Indexed(prefix, index).toStdString(),
                                 Q(caption) + QLatin1Char(' ') + label->text(), Typing::Digits,
                                 FieldBounds{box.kind, box.lower, box.upper}, characters);
        label->setBuddy(out[i]);
        row->addWidget(label);
        row->addWidget(out[i]);
    }
    row->addStretch(1);
    return frame;
}

TripleTexts TextsOf(const BoxTriple& boxes) {
    TripleTexts texts;
    for (size_t i = 0; i < boxes.size(); ++i)
        texts[i] = boxes[i]->text().toStdString();
    return texts;
}

void ShowTexts(const BoxTriple& boxes, const TripleTexts& texts) {
    for (size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setText(QString::fromStdString(texts[i]));
}

}  // namespace orrelume::companion
