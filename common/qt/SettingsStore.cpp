// The settings store over QSettings in INI form, values kept as plain strings.
#include "common/qt/SettingsStore.h"

#include <QStringList>
#include <QVariant>

#include "common/core/SettingValues.h"

namespace halvoria {

namespace {

QString FullKey(const QString& section, const QString& key) { return section + u'/' + key; }

}  // namespace

SettingsStore::SettingsStore() : settings_(QSettings::IniFormat, QSettings::UserScope, "Halvoria") {
    // Only the user's own file counts, never a system-wide Halvoria.ini behind it.
    settings_.setFallbacksEnabled(false);
    // Never fall back to rewriting the file in place: a writer killed halfway would leave it cut.
    settings_.setAtomicSyncRequired(true);
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::GetSetting(const QString& section, const QString& key,
                                  const QString& fallback) const {
    const QVariant value = settings_.value(FullKey(section, key));
    if (!value.isValid()) return fallback;
    // A hand-edited value with bare commas comes back split into a list; rejoin it as written.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(u", ");
    if (!value.canConvert<QString>()) return fallback;
    return value.toString();
}

void SettingsStore::SaveSetting(const QString& section, const QString& key, const QString& value) {
    settings_.setValue(FullKey(section, key), value);
}

void SettingsStore::Flush() { settings_.sync(); }

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

QString SettingsStore::FileName() const { return settings_.fileName(); }

}  // namespace halvoria
