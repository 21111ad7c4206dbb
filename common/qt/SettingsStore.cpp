// The settings store over QSettings in INI form, values kept as plain strings.
#include "common/qt/SettingsStore.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QVariant>

#include "common/core/SettingValues.h"

namespace halvoria {

namespace {

QString FullKey(const QString& section, const QString& key) { return section + u'/' + key; }

// $XDG_CONFIG_HOME/Halvoria.ini, or ~/.config/Halvoria.ini when it is not set, read anew each
// time. A relative XDG_CONFIG_HOME counts from the home folder.
QString UserStoreFile() {
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    QString folder = QDir::homePath() + QStringLiteral("/.config");
    if (configHome.startsWith('/')) {
        folder = QFile::decodeName(configHome);
    } else if (!configHome.isEmpty()) {
        folder = QDir::homePath() + u'/' + QFile::decodeName(configHome);
    }
    return folder + QStringLiteral("/Halvoria.ini");
}

// QSettings takes "<file>.lock" around every write and waits for it without end; a folder, a
// named pipe or a dangling link there can never be taken (a pipe would even block the open).
bool LockPathUsable(const QString& storeFile) {
    const QFileInfo lock(storeFile + QStringLiteral(".lock"));
    return lock.isFile() || (!lock.exists() && !lock.isSymLink());
}

}  // namespace

SettingsStore::SettingsStore() : fileName_(UserStoreFile()) {
    // Opening a named pipe would wait for a writer that never comes, and a device or a folder is
    // not a store; only a missing path or a regular file (links followed) is handed to QSettings.
    const QFileInfo file(fileName_);
    if (file.exists() && !file.isFile()) return;
    // Given the file by name, QSettings reads no system-wide Halvoria.ini behind it.
    settings_ = std::make_unique<QSettings>(fileName_, QSettings::IniFormat);
    // Never fall back to rewriting the file in place: a writer killed halfway would leave it cut.
    settings_->setAtomicSyncRequired(true);
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::GetSetting(const QString& section, const QString& key,
                                  const QString& fallback) const {
    const QString fullKey = FullKey(section, key);
    if (const auto kept = unstored_.constFind(fullKey); kept != unstored_.cend()) return *kept;
    if (!settings_) return fallback;
    const QVariant value = settings_->value(fullKey);
    if (!value.isValid()) return fallback;
    // A hand-edited value with bare commas comes back split into a list; rejoin it as written.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(u", ");
    if (!value.canConvert<QString>()) return fallback;
    return value.toString();
}

void SettingsStore::SaveSetting(const QString& section, const QString& key, const QString& value) {
    // Handed to QSettings, a value would be written behind a lock that can never be taken.
    if (!settings_ || !LockPathUsable(fileName_)) {
        unstored_.insert(FullKey(section, key), value);
        return;
    }
    settings_->setValue(FullKey(section, key), value);
}

void SettingsStore::Flush() {
    if (settings_ && LockPathUsable(fileName_)) settings_->sync();
}

std::int32_t SettingsStore::GetWholeNumber(const QString& section, const QString& key,
                                           std::int32_t fallback) const {
    const QString text = GetSetting(section, key, QString());
    return ReadWholeNumber(text.toStdString(), fallback);
}

bool SettingsStore::GetBoolean(const QString& section, const QString& key, bool fallback) const {
    const QString text = GetSetting(section, key, QString());
    return ReadBoolean(text.toStdString(), fallback);
}

QString SettingsStore::GetText(const QString& section, const QString& key,
                               const QString& fallback) const {
    return GetSetting(section, key, fallback);
}

void SettingsStore::SaveWholeNumber(const QString& section, const QString& key,
                                    std::int32_t value) {
    SaveSetting(section, key, QString::fromStdString(WriteWholeNumber(value)));
}

void SettingsStore::SaveBoolean(const QString& section, const QString& key, bool value) {
    SaveSetting(section, key, QString::fromStdString(WriteBoolean(value)));
}

void SettingsStore::SaveText(const QString& section, const QString& key, const QString& value) {
    SaveSetting(section, key, value);
}

QString SettingsStore::FileName() const { return fileName_; }

}  // namespace halvoria
