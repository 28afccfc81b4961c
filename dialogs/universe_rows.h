// Rows that the universe view and its composite editor both lay out: a list
// a given number of rows high, and the name and percentage fields of a
// galaxy type or a composite under their label.
#pragma once

#include <string_view>
#include <vector>

class QBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QWidget;

namespace orrelume {

// A list at least `rows` rows high, so that it is a list and not a slit.
void SetListRows(QListWidget& list, int rows);

// The name and percentage fields, with the percentage's spin button, on one
// row under `label`; both join `focusOrder`.
struct NamePercentNames {
    const char* name;
    const char* percent;
    const char* spin;
    std::string_view refused;  // characters the name swallows
};
struct NamePercentRow {
    QLineEdit* name;
    QLineEdit* percent;
};
NamePercentRow AddNamePercentRow(QBoxLayout& into, QLabel& label, const NamePercentNames& names,
                                 std::vector<QWidget*>& focusOrder);

}  // namespace orrelume
