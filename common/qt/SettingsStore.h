// The per-user settings store both games share: $XDG_CONFIG_HOME/Halvoria.ini, one section a
// program.
#pragma once

#include <QMap>
#include <QSettings>
#include <QString>
#include <cstdint>
#include <memory>

namespace halvoria {

// Strings addressed by section and key. Reads fall back to the caller's default; writes report
// nothing. Saving goes through a temporary file renamed over the old one under a lock file, and
// merges with what another program wrote meanwhile, so each program can keep its own section.
// A store path that is there but is not a regular file (or a link to one), such as a named pipe, a
// device or a folder, is never opened: it reads as empty and what is saved stays in memory. A
// lock path that is no regular file (a folder, a pipe, a dangling link) leaves the file readable
// but keeps what is saved in memory, since writing would wait for that lock forever.
class SettingsStore {
  public:
    SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;
    ~SettingsStore();

    // The stored string, or fallback when the key is absent.
    QString GetSetting(const QString& section, const QString& key, const QString& fallback) const;

    // Creates or replaces the value; reaches the file at the latest at Flush().
    void SaveSetting(const QString& section, const QString& key, const QString& value);

    // Writes pending changes now. A store that cannot be written keeps its old file untouched.
    void Flush();

    // Typed conveniences with the encodings of SettingValues.h; an unreadable value gives fallback.
    std::int32_t GetWholeNumber(const QString& section, const QString& key,
                                std::int32_t fallback) const;
    bool GetBoolean(const QString& section, const QString& key, bool fallback) const;
    QString GetText(const QString& section, const QString& key, const QString& fallback) const;
    void SaveWholeNumber(const QString& section, const QString& key, std::int32_t value);
    void SaveBoolean(const QString& section, const QString& key, bool value);
    void SaveText(const QString& section, const QString& key, const QString& value);

    // The file behind the store.
    QString FileName() const;

  private:
    QString fileName_;
    std::unique_ptr<QSettings> settings_;  // null when the path is not a regular file
    QMap<QString, QString> unstored_;      // what was saved but cannot be written
};

}  // namespace halvoria
