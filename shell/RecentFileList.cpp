#include "shell/RecentFileList.h"

#include <QDir>
#include <QSettings>

namespace {

const QString kGroup = QStringLiteral("Recent File List");

QString Key(int i)
{
    return QStringLiteral("File%1").arg(i + 1);
}

} // namespace

RecentFileList::RecentFileList(QSettings &settings)
    : m_Settings(settings)
{
    m_Settings.beginGroup(kGroup);
    for (int i = 0; i < kSize; ++i) {
        const QString path = m_Settings.value(Key(i)).toString();
        if (!path.isEmpty() && !m_Files.contains(path))
            m_Files.append(path);
    }
    m_Settings.endGroup();
}

void RecentFileList::Add(const QString &path)
{
    const QString native = QDir::toNativeSeparators(path);
    m_Files.removeAll(native);
    m_Files.prepend(native);
    while (m_Files.size() > kSize)
        m_Files.removeLast();
    Save();
}

void RecentFileList::Remove(const QString &path)
{
    m_Files.removeAll(QDir::toNativeSeparators(path));
    Save();
}

void RecentFileList::Save() const
{
    m_Settings.beginGroup(kGroup);
    m_Settings.remove(QString());
    for (int i = 0; i < m_Files.size(); ++i)
        m_Settings.setValue(Key(i), m_Files[i]);
    m_Settings.endGroup();
}
