#include "dialogs/ifs_table.h"

#include <algorithm>

#include "dialogs/editor_themes.h"
#include "settings/numeric.h"

namespace orrelume {

namespace {

int16_t Column(const IfsRowValues& row, int column) {
    const auto c = static_cast<size_t>(column);
    return static_cast<int16_t>(BoundedNumber(row.texts[c], 0, kIfsColumnInfo[c].upper));
}

std::array<int16_t, kIfsColumns> Fields(const IfsPoint& p) {
    return {p.locX, p.locY, p.locZ, p.scale, p.axis, p.angle, p.percent};
}

void ShowPoint(const IfsPoint& p, IfsRowValues& row) {
    const auto fields = Fields(p);
    for (int c = 0; c < kIfsColumns; ++c) {
        if (c != kIfsAxis) row.texts[static_cast<size_t>(c)] = Int16ToText(fields[c]);
    }
    row.axis = std::clamp<int>(p.axis, 0, 2);
}

}  // namespace

IfsFormValues ShowIfsTable(const GalaxyType& type) {
    IfsFormValues v;
    const int count = std::clamp<int>(type.ifsCount, 0, kMaxIfsPoints);
    for (int i = 0; i < count; ++i)
        ShowPoint(type.ifsPoints[static_cast<size_t>(i)], v.rows[static_cast<size_t>(i)]);
    v.centre = {Int16ToText(type.ifsCenterX), Int16ToText(type.ifsCenterY),
                Int16ToText(type.ifsCenterZ)};
    v.galaxy = ShowGalaxyValues(type);
    return v;
}

void ClearIfsRows(IfsFormValues& values) {
    values.rows = {};
}

IfsTable CollectIfsTable(const IfsFormValues& values) {
    IfsTable t;
    t.centreX = static_cast<int16_t>(BoxNumber(values.centre[0], kCentreBoxes[0]));
    t.centreY = static_cast<int16_t>(BoxNumber(values.centre[1], kCentreBoxes[1]));
    t.centreZ = static_cast<int16_t>(BoxNumber(values.centre[2], kCentreBoxes[2]));
    for (const IfsRowValues& row : values.rows) {
        const int16_t percent = Column(row, kIfsPercent);
        if (percent <= 0) continue;
        IfsPoint& p = t.points[static_cast<size_t>(t.count++)];
        p.locX = Column(row, kIfsLocX);
        p.locY = Column(row, kIfsLocY);
        p.locZ = Column(row, kIfsLocZ);
        p.scale = Column(row, kIfsScale);
        p.axis = static_cast<int16_t>(std::clamp(row.axis, 0, 2));
        p.angle = Column(row, kIfsAngle);
        p.percent = percent;
    }
    return t;
}

bool IfsTableUsable(const IfsTable& table) {
    return table.count >= kMinIfsPoints;
}

void PutIfsTable(const IfsTable& table, const TripleTexts& galaxy, GalaxyType& type) {
    type.ifsCount = table.count;
    type.ifsCenterX = table.centreX;
    type.ifsCenterY = table.centreY;
    type.ifsCenterZ = table.centreZ;
    type.ifsPoints = table.points;
    TakeGalaxyValues(galaxy, type);
}

std::string TooFewPointsMessage() {
    return std::string(kNoteHeading) +
           "You must specify two or more Attractor Points in order to Preview the I.F.S.  "
           "Consider selecting one of the Themes in order to see a sample I.F.S. "
           "or press Cancel to return to the Galaxy Settings.";
}

void ApplyIfsTheme(int theme, IfsFormValues& values) {
    ApplyIfsThemeText(IfsThemeText(theme), values);
}

void ApplyIfsThemeText(std::string_view text, IfsFormValues& values) {
    if (text.empty()) return;
    // The description, the galaxy values, the centre, then five points.
    const auto numbers = ThemeNumbers(text, 3 + values.rows.size());
    ApplyThemeGalaxyValues(numbers[1], values.galaxy);
    ApplyThemeCentre(numbers[2], 0, values.centre);
    for (size_t i = 0; i < values.rows.size(); ++i) {
        const std::vector<double>& n = numbers[3 + i];
        IfsRowValues& row = values.rows[i];
        row = {};
        if (std::none_of(n.begin(), n.end(), [](double x) { return x != 0; })) continue;
        for (size_t c = 0; c < kIfsColumns; ++c) {
            const double x = c < n.size() ? n[c] : 0;
            if (c == kIfsAxis) {
                row.axis = ThemeNumber(x, 0, 2);
            } else {
                row.texts[c] = ThemeNumberText(x, 0, kIfsColumnInfo[c].upper);
            }
        }
    }
}

}  // namespace orrelume
