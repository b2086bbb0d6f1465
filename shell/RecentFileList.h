#pragma once

#include <QStringList>

class QSettings;

// The most recently opened files, newest first, kept in the settings store.
class RecentFileList
{
public:
    static constexpr int kSize = 4;

    explicit RecentFileList(QSettings &settings);

    const QStringList &Files() const { return m_Files; }
    void Add(const QString &path);
    void Remove(const QString &path);

private:
    void Save() const;

    QSettings &m_Settings;
    QStringList m_Files;
};
