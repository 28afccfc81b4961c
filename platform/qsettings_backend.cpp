#include "platform/qsettings_backend.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QString>

#include "platform/store_ini.h"

namespace orrelume {

namespace {

constexpr char kOrganization[] = "Lumenfold";

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The program's sections nest with backslashes; QSettings nests with "/" and
// would keep a backslash as part of a name.
QString GroupOf(std::string_view section) {
    QString group = FromUtf8(section);
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return group;
}

QString KeyOf(std::string_view section, std::string_view name) {
    QString key = GroupOf(section);
    if (!key.isEmpty()) key += QLatin1Char('/');
    return key + FromUtf8(name);
}

// A process killed between creating a lock file and writing its owner into
// it leaves the lock empty, and QLockFile takes an empty lock for stale only
// after 30 seconds: the next save would hang that long. A live owner fills
// its lock at once, so an empty one a few seconds old has been abandoned.
void RemoveAbandonedLocks(const QString& file) {
    for (const QString& lock :
         {file + QStringLiteral(".lock"), file + QStringLiteral(".lock.rmlock")}) {
        const QFileInfo info(lock);
        if (info.exists() && info.size() == 0 &&
            info.lastModified().secsTo(QDateTime::currentDateTime()) > 2) {
            QFile::remove(lock);
        }
    }
}

}  // namespace

QSettingsBackend::QSettingsBackend(StoreScope scope, StoreAccess access)
    : useScope_(true), scope_(scope), readOnly_(access == StoreAccess::ReadOnly) {
    Open();
}

QSettingsBackend::QSettingsBackend(const std::string& filePath, StoreAccess access)
    : useScope_(false), path_(filePath), readOnly_(access == StoreAccess::ReadOnly) {
    Open();
}

QSettingsBackend::~QSettingsBackend() = default;

void QSettingsBackend::Open() {
    const QSettings::Format format = StoreIniFormat();
    if (useScope_) {
        const auto scope =
            scope_ == StoreScope::User ? QSettings::UserScope : QSettings::SystemScope;
        settings_ = std::make_unique<QSettings>(format, scope, QString::fromLatin1(kOrganization),
                                                FromUtf8(kApplicationKeyName));
    } else {
        settings_ = std::make_unique<QSettings>(FromUtf8(path_), format);
    }
    // Each root stands alone: a value missing from the user's file must read
    // as missing, not as the machine-wide value.
    settings_->setFallbacksEnabled(false);
}

std::optional<std::string> QSettingsBackend::Read(std::string_view section, std::string_view name) {
    if (name.empty()) return std::nullopt;
    const QString key = KeyOf(section, name);
    const QVariant value = settings_->value(key);
    if (!value.isValid()) return std::nullopt;
    known_.insert(key);
    const QByteArray bytes =
        value.typeId() == QMetaType::QByteArray ? value.toByteArray() : value.toString().toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool QSettingsBackend::Write(std::string_view section, std::string_view name,
                             std::string_view value) {
    if (readOnly_ || name.empty()) return false;
    const QString key = KeyOf(section, name);
    settings_->setValue(key, QByteArray(value.data(), static_cast<qsizetype>(value.size())));
    known_.insert(key);
    pending_ = true;
    writtenBytes_ += 3 * key.size() + static_cast<qsizetype>(value.size());
    ++writtenValues_;
    return true;
}

bool QSettingsBackend::DeleteSubkey(std::string_view section, std::string_view subkey) {
    if (readOnly_ || subkey.empty()) return false;
    // Removes every value of the subkey and of the sections below it.
    settings_->remove(KeyOf(section, subkey));
    pending_ = true;
    return true;
}

// A file that reading would cut short keeps only the values this process
// knows (see the header).
void QSettingsBackend::KeepReadable() {
    // Only a save trims: a file that is merely read stays as it is.
    if (!pending_) return;
    // A quick bound first: the file to be written holds at most the file as
    // it is now and what this process wrote, formatted at most eight times
    // as long, and a value takes at least two of the file's bytes.
    const qsizetype fileBytes = QFileInfo(settings_->fileName()).size();
    if (8 * (fileBytes + writtenBytes_) < kStoreIniMaxBytes &&
        fileBytes / 2 + writtenValues_ < kStoreIniMaxValueLines) {
        return;
    }
    const QStringList keys = settings_->allKeys();
    // What the file will take at most: names percent-encoded, values
    // escaped, one header per value.
    qsizetype bytes = 0;
    for (const QString& key : keys) {
        const QVariant value = settings_->value(key);
        const qsizetype valueBytes = value.typeId() == QMetaType::QByteArray
                                         ? value.toByteArray().size()
                                         : value.toString().toUtf8().size();
        bytes += 6 * key.toUtf8().size() + 2 * valueBytes + 8;
    }
    if (keys.size() < kStoreIniMaxValueLines && bytes < kStoreIniMaxBytes) return;
    // Removing a key removes the keys below it too: a value named like a
    // section that holds known values stays.
    QSet<QString> knownSections;
    for (const QString& key : known_) {
        for (qsizetype slash = key.indexOf(QLatin1Char('/')); slash > 0;
             slash = key.indexOf(QLatin1Char('/'), slash + 1)) {
            knownSections.insert(key.left(slash));
        }
    }
    for (const QString& key : keys) {
        if (!known_.contains(key) && !knownSections.contains(key)) settings_->remove(key);
    }
}

void QSettingsBackend::Committed() {
    pending_ = false;
    writtenBytes_ = 0;
    writtenValues_ = 0;
}

bool QSettingsBackend::Flush() {
    if (readOnly_) return false;
    RemoveAbandonedLocks(settings_->fileName());
    KeepReadable();
    settings_->sync();
    if (settings_->status() == QSettings::NoError) {
        Committed();
        return true;
    }
    // QSettings keeps reporting an error once one happened; a new object
    // reports each later flush's own outcome. What failed to be committed
    // stays pending (QSettings shares it between objects on the same file)
    // and goes with the next flush that succeeds.
    Open();
    return false;
}

void QSettingsBackend::Refresh() {
    if (!readOnly_) {
        RemoveAbandonedLocks(settings_->fileName());
        KeepReadable();
    }
    settings_->sync();
    if (settings_->status() == QSettings::NoError) {
        Committed();
    } else {
        Open();
    }
}

std::string QSettingsBackend::FilePath() const {
    return settings_->fileName().toStdString();
}

}  // namespace orrelume
