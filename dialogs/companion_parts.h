// Pieces the companion windows of the properties dialog share: number
// fields named for screen readers and the editors' box frames.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>

#include <array>
#include <optional>
#include <string_view>

#include "dialogs/editor_values.h"
#include "ui/field_rules.h"
#include "ui/widgets.h"

namespace orrelume::companion {

// A number field with the field rules (typing, bounds on leaving, arrow
// keys), as wide as `characters` digits, named `readerName` for readers.
QLineEdit* MakeNumberField(QWidget* parent, std::string_view objectName, const QString& readerName,
                           Typing typing, const FieldBounds& bounds, int characters,
                           std::optional<ArrowKeys> arrows = std::nullopt);
// Bounds the field that has the focus, as leaving it would.
void BoundFocusedField();

// A frame of three labelled number boxes side by side, named `prefix`_0..2.
using BoxTriple = std::array<QLineEdit*, 3>;
QGroupBox* MakeBoxFrame(QWidget* parent, std::string_view caption, std::string_view objectName,
                        std::string_view prefix, const std::array<EditorBox, 3>& boxes,
                        BoxTriple& out);
TripleTexts TextsOf(const BoxTriple& boxes);
void ShowTexts(const BoxTriple& boxes, const TripleTexts& texts);

}  // namespace orrelume::companion
