#include "shell/LockKeyState.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <array>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace LockKeyState {

std::optional<bool> Query(Key key)
{
#ifdef Q_OS_WIN
    const int virtualKey = key == Key::CapsLock ? VK_CAPITAL : key == Key::NumLock ? VK_NUMLOCK : VK_SCROLL;
    return (GetKeyState(virtualKey) & 1) != 0;
#elif defined(Q_OS_LINUX)
    // The keyboards' LEDs are looked up once; each query then reads a few
    // one-byte files.
    static const std::array<QStringList, 3> brightnessFiles = [] {
        std::array<QStringList, 3> files;
        const QDir leds(QStringLiteral("/sys/class/leds"));
        const QString suffixes[3] = {QStringLiteral("::capslock"), QStringLiteral("::numlock"),
                                     QStringLiteral("::scrolllock")};
        for (const QString &name : leds.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
            for (int i = 0; i < 3; ++i)
                if (name.endsWith(suffixes[i]))
                    files[i].append(leds.filePath(name + QStringLiteral("/brightness")));
        }
        return files;
    }();
    std::optional<bool> state;
    for (const QString &path : brightnessFiles[static_cast<int>(key)]) {
        QFile brightness(path);
        if (!brightness.open(QIODevice::ReadOnly))
            continue;
        const bool lit = brightness.readAll().trimmed().toInt() > 0;
        state = state.value_or(false) || lit;
    }
    return state;
#else
    Q_UNUSED(key);
    return std::nullopt;
#endif
}

} // namespace LockKeyState
