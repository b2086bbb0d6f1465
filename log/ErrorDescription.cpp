#include "log/ErrorDescription.h"

#include "model/ErrorCodes.h"
#include "model/ResString.h"

#include <cerrno>
#include <cstring>
#include <type_traits>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

QString WellKnownComText(std::int32_t code)
{
    switch (static_cast<std::uint32_t>(code)) {
    case 0x80004001u:
        return LoadResString(TextId::ComNotImplemented);
    case 0x80004005u:
        return LoadResString(TextId::ComUnspecifiedError);
    case 0x80070057u:
        return LoadResString(TextId::ComInvalidArgument);
    default:
        return {};
    }
}

QString SystemText(std::int32_t code)
{
#ifdef Q_OS_WIN
    wchar_t *buffer = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                            | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, static_cast<DWORD>(code), 0x400,
                                        reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    QString text;
    if (length > 0 && buffer)
        text = QString::fromWCharArray(buffer, length).trimmed();
    if (buffer)
        LocalFree(buffer);
    return text;
#else
    if (code <= 0 || code >= 4096)
        return {};
    char buffer[256] = {};
    // GNU strerror_r may return a static string instead of filling the buffer.
    const auto result = strerror_r(code, buffer, sizeof buffer);
    const char *text = nullptr;
    if constexpr (std::is_same_v<std::remove_cv_t<decltype(result)>, char *>)
        text = result;
    else
        text = result == 0 ? buffer : nullptr;
    if (!text || std::strncmp(text, "Unknown error", 13) == 0)
        return {};
    return QString::fromLocal8Bit(text);
#endif
}

} // namespace

QString DescribeErrorCode(std::int32_t code)
{
    QString text = DescribeModelCode(code);
    if (text.isEmpty())
        text = WellKnownComText(code);
    if (text.isEmpty())
        text = SystemText(code);
    return text;
}

QString DescribeSystemError(std::int32_t code)
{
    return SystemText(code);
}

std::int32_t LastSystemError()
{
#ifdef Q_OS_WIN
    return static_cast<std::int32_t>(GetLastError());
#else
    return errno;
#endif
}
