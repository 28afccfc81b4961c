// Pieces the companion windows of the properties dialog share: number
// fields named for screen readers, the editors' box frames,
// the preview frame and the "Window can be Resized" menu item.
#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "dialogs/editor_values.h"
#include "driver/host_state.h"
#include "settings/store.h"
#include "ui/field_rules.h"
#include "ui/preview_box.h"
#include "ui/widgets.h"

class QAction;
class QComboBox;
class QHBoxLayout;
class QMenuBar;

namespace orrelume {
class PreviewBox;
}

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

// The frame `fraPreview` with the picture box `picPreview` and the button
// `cmdPreview` under it.
QGroupBox* MakePreviewFrame(QWidget* parent, std::string_view caption, SettingsStore& store,
                            RunFlags& flags, std::string_view buttonCaption, PreviewBox*& box,
                            QPushButton*& button);

// A menu bar holding "Window can be Resized" (`mnuResize`), checked: the
// window may be resized. Unchecking it keeps the window at its size.
QAction* AddResizeMenu(QDialog& window, QMenuBar& bar);

}  // namespace orrelume::companion
