#include "LockKeyState.h"

#include <QDir>
#include <QFile>
#include <QString>

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
    const QString suffix = key == Key::CapsLock ? QStringLiteral("::capslock")
        : key == Key::NumLock                   ? QStringLiteral("::numlock")
                                                : QStringLiteral("::scrolllock");
    const QDir leds(QStringLiteral("/sys/class/leds"));
    std::optional<bool> state;
    for (const QString &name : leds.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!name.endsWith(suffix))
            continue;
        QFile brightness(leds.filePath(name + QStringLiteral("/brightness")));
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
