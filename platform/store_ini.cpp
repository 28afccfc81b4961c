#include "platform/store_ini.h"

#include <QIODevice>
#include <QList>
#include <QStringList>
#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace orrelume {

namespace {

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Orders names so that numbered ones follow their numbers: "Galaxy2" before
// "Galaxy10", "IFS_P9" before "IFS_P10". Ties fall back to plain order.
bool NaturalLess(const QString& a, const QString& b) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            qsizetype ie = i;
            qsizetype je = j;
            while (ie < a.size() && IsDigit(a[ie]))
                ++ie;
            while (je < b.size() && IsDigit(b[je]))
                ++je;
            // Compare the numbers without their leading zeros: a longer one
            // is larger, equal lengths compare digit by digit.
            qsizetype is = i;
            qsizetype js = j;
            while (is + 1 < ie && a[is] == QLatin1Char('0'))
                ++is;
            while (js + 1 < je && b[js] == QLatin1Char('0'))
                ++js;
            if (ie - is != je - js) return ie - is < je - js;
            const int c = QStringView(a).mid(is, ie - is).compare(QStringView(b).mid(js, je - js));
            if (c != 0) return c < 0;
            i = ie;
            j = je;
        } else {
            if (a[i] != b[j]) return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    if ((a.size() - i) != (b.size() - j)) return (a.size() - i) < (b.size() - j);
    return a < b;
}

struct NaturalOrder {
    bool operator()(const QString& a, const QString& b) const { return NaturalLess(a, b); }
};

bool NeedsPercent(char c, bool atEnd) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7f) return true;
    switch (c) {
        case '%':
        case '=':
        case '[':
        case ']':
        case '\\':
        case '/':
        case ';':
        case '#':
            return true;
        case ' ':
            return atEnd;
        default:
            return false;
    }
}

QByteArray EncodeName(const QByteArray& name) {
    static const char kHex[] = "0123456789ABCDEF";
    QByteArray out;
    out.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (NeedsPercent(c, i == 0 || i + 1 == name.size())) {
            const auto u = static_cast<unsigned char>(c);
            out.append('%');
            out.append(kHex[u >> 4]);
            out.append(kHex[u & 0xf]);
        } else {
            out.append(c);
        }
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

QByteArray DecodeName(const QByteArray& text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            out.append(static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
            i += 2;
        } else {
            out.append(text[i]);
        }
    }
    return out;
}

QByteArray EscapeValue(const QByteArray& value) {
    QByteArray out;
    out.reserve(value.size() + 8);
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char c = value[i];
        switch (c) {
            case '\\':
                out.append("\\\\");
                break;
            case '\n':
                out.append("\\n");
                break;
            case '\r':
                out.append("\\r");
                break;
            case '\t':
                out.append("\\t");
                break;
            case '\v':
                out.append("\\v");
                break;
            case '\f':
                out.append("\\f");
                break;
            case '\0':
                out.append("\\0");
                break;
            case ' ':
                // Blanks around a value are not part of it when it is read.
                out.append((i == 0 || i + 1 == value.size()) ? "\\s" : " ");
                break;
            default:
                out.append(c);
        }
    }
    return out;
}

QByteArray UnescapeValue(const QByteArray& text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\\' || i + 1 == text.size()) {
            out.append(c);
            continue;
        }
        const char e = text[i + 1];
        char decoded = 0;
        switch (e) {
            case '\\':
                decoded = '\\';
                break;
            case 'n':
                decoded = '\n';
                break;
            case 'r':
                decoded = '\r';
                break;
            case 't':
                decoded = '\t';
                break;
            case 'v':
                decoded = '\v';
                break;
            case 'f':
                decoded = '\f';
                break;
            case '0':
                decoded = '\0';
                break;
            case 's':
                decoded = ' ';
                break;
            default:
                // Not an escape: a backslash typed into the file by hand.
                out.append(c);
                continue;
        }
        out.append(decoded);
        ++i;
    }
    return out;
}

// "Universe\Galaxy3\IFS" (either separator, empty parts dropped) as the group
// path QSettings uses, "Universe/Galaxy3/IFS".
QString SectionToGroup(const QByteArray& header) {
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= header.size(); ++i) {
        if (i == header.size() || header[i] == '\\' || header[i] == '/') {
            const QByteArray part = header.mid(start, i - start).trimmed();
            if (!part.isEmpty()) parts.append(QString::fromUtf8(DecodeName(part)));
            start = i + 1;
        }
    }
    return parts.join(QLatin1Char('/'));
}

QByteArray GroupToSection(const QString& group) {
    QByteArray out;
    const QStringList parts = group.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0) out.append('\\');
        out.append(EncodeName(parts[i].toUtf8()));
    }
    return out;
}

QByteArray ValueBytes(const QVariant& value) {
    if (value.typeId() == QMetaType::QByteArray) return value.toByteArray();
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QLatin1Char(',')).toUtf8();
    }
    return value.toString().toUtf8();
}

}  // namespace

QSettings::SettingsMap ParseStoreIni(const QByteArray& text) {
    QSettings::SettingsMap map;
    // The header in force, decoded only when a value comes under it.
    QByteArrayView header;
    QString group;
    bool groupDecoded = true;
    bool usable = true;
    qsizetype valueLines = 0;
    // Only whole lines within the first kStoreIniMaxBytes are read.
    qsizetype limit = text.size();
    if (limit > kStoreIniMaxBytes) limit = text.lastIndexOf('\n', kStoreIniMaxBytes - 1) + 1;
    qsizetype start = 0;
    while (start < limit) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0 || end > limit) end = limit;
        const QByteArrayView line = QByteArrayView(text).sliced(start, end - start).trimmed();
        start = end + 1;
        if (line.isEmpty() || line[0] == ';' || line[0] == '#') continue;
        if (line[0] == '[') {
            // Lines under a header that is not closed belong to no section we
            // know, so they are skipped rather than added to the previous one.
            // A header too long to be ours counts as one that is not closed.
            usable = line.size() >= 2 && line.back() == ']' && line.size() <= kStoreIniMaxLineBytes;
            if (usable) {
                header = line.sliced(1, line.size() - 2);
                groupDecoded = false;
            }
            continue;
        }
        if (!usable || line.size() > kStoreIniMaxLineBytes) continue;
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0) continue;
        const QString name = SectionToGroup(line.first(eq).toByteArray());
        if (name.isEmpty()) continue;
        if (!groupDecoded) {
            group = SectionToGroup(header.toByteArray());
            groupDecoded = true;
        }
        const QString key = group.isEmpty() ? name : group + QLatin1Char('/') + name;
        map.insert(key, UnescapeValue(line.sliced(eq + 1).trimmed().toByteArray()));
        if (++valueLines >= kStoreIniMaxValueLines) break;
    }
    return map;
}

QByteArray FormatStoreIni(const QSettings::SettingsMap& map) {
    // Group the values by section; QSettings' map interleaves a section's
    // values with those of its subsections.
    std::map<QString, std::vector<std::pair<QString, QByteArray>>, NaturalOrder> groups;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const QString& key = it.key();
        const qsizetype slash = key.lastIndexOf(QLatin1Char('/'));
        const QString group = slash < 0 ? QString() : key.left(slash);
        const QString name = slash < 0 ? key : key.mid(slash + 1);
        if (name.isEmpty()) continue;
        groups[group].emplace_back(name, ValueBytes(it.value()));
    }

    QByteArray out;
    for (auto& [group, values] : groups) {
        std::sort(values.begin(), values.end(),
                  [](const auto& a, const auto& b) { return NaturalLess(a.first, b.first); });
        if (!group.isEmpty()) {
            if (!out.isEmpty()) out.append('\n');
            out.append('[').append(GroupToSection(group)).append("]\n");
        }
        for (const auto& [name, value] : values) {
            out.append(EncodeName(name.toUtf8())).append('=').append(EscapeValue(value));
            out.append('\n');
        }
    }
    return out;
}

bool ReadStoreIni(QIODevice& device, QSettings::SettingsMap& map) {
    // One byte past the limit tells the parser that the file goes on.
    map = ParseStoreIni(device.read(kStoreIniMaxBytes + 1));
    return true;
}

bool WriteStoreIni(QIODevice& device, const QSettings::SettingsMap& map) {
    const QByteArray text = FormatStoreIni(map);
    return device.write(text) == text.size();
}

QSettings::Format StoreIniFormat() {
    static const QSettings::Format format = QSettings::registerFormat(
        QStringLiteral("ini"), ReadStoreIni, WriteStoreIni, Qt::CaseSensitive);
    return format;
}

}  // namespace orrelume
