// The text of the settings file: INI sections and "name=value" lines.
//
// The settings file is read and written through QSettings (which gives it
// its place under $XDG_CONFIG_HOME, a lock between processes and a commit by
// write-and-rename), but in a format of our own, because every value must
// come back exactly as it was stored: QSettings' own INI format reads a value
// with commas as a list and interprets values beginning with "@".
//
// Layout:
//   [Universe\Galaxy3\IFS]
//   IFS_P0=*  1000    0    0   40    0    0    2
// A section header names a nested section with backslashes, as the program's
// sections are written. Values are bytes (UTF-8 in practice), written as they
// are except for these escapes: "\\" a backslash, "\n", "\r", "\t", "\0",
// and "\s" for a blank at either end of the value. Section and key names
// percent-encode the characters that would break a line ("%5D" for "]").
// Reading is lenient: blanks around names and values are ignored, lines that
// are not a header or a "name=value" line are skipped, a malformed header
// ignores the lines up to the next good one, and of duplicate keys the last
// wins. Nothing in a file makes reading fail.
//
// A file damaged or made by hand must not cost the program its time or its
// memory, so reading has limits that the program's own file (some 6,000
// values in under 300 KB, no line longer than its longest text field allows)
// never comes near: a line longer than kStoreIniMaxLineBytes is skipped,
// reading stops after kStoreIniMaxValueLines "name=value" lines, and only the
// whole lines within the first kStoreIniMaxBytes are read. What lies beyond
// a limit is not read, and so the next save does not write it back.
#pragma once

#include <QByteArray>
#include <QSettings>

class QIODevice;

namespace orrelume {

inline constexpr qsizetype kStoreIniMaxBytes = qsizetype{16} << 20;
inline constexpr qsizetype kStoreIniMaxLineBytes = qsizetype{1} << 20;
inline constexpr qsizetype kStoreIniMaxValueLines = 65536;

// QSettings' flat map: keys are "Section/Sub/name", values QByteArray.
QSettings::SettingsMap ParseStoreIni(const QByteArray& text);
QByteArray FormatStoreIni(const QSettings::SettingsMap& map);

// The read and write functions registered with QSettings.
bool ReadStoreIni(QIODevice& device, QSettings::SettingsMap& map);
bool WriteStoreIni(QIODevice& device, const QSettings::SettingsMap& map);

// The format, registered on first use (extension "ini", names case-sensitive).
QSettings::Format StoreIniFormat();

}  // namespace orrelume
