#pragma once

#include <QString>

#include <cstdint>

class MessagePresenter;

// The program's log "Korvix.Bad": one time-stamped line per event, appended
// and closed after every line so that other programs can read it meanwhile.
class LogFile
{
public:
    static constexpr char16_t kFileName[] = u"Korvix.Bad";

    // `directory` is where the log belongs (the executable's directory, with
    // or without a trailing separator); `fallbackDirectory` takes the lines
    // when that one is not writable (empty: lines are then lost).
    LogFile(QString directory, QString fallbackDirectory, MessagePresenter *presenter);

    // Where a run's log belongs: the executable's directory, and the user's
    // data directory for when that one is not writable.
    static QString DefaultDirectory();
    static QString DefaultFallbackDirectory();

    // Appends "dd.MM.yyyy hh:mm:ss text"; with showBox, also shows the text
    // in an error box (even when the line could not be written). Always true.
    bool Write(const QString &text, bool showBox = false);
    // Writes and shows the error line for a text and a code.
    bool WriteError(const QString &text, std::int32_t code, const QString &detail = {});

    // "text: code (0xhex) - description" (just the text for code 0); the
    // description is `detail` when given, else what is known for the code.
    // Code -1 stands for the thread's last system error.
    static QString ErrorLine(const QString &text, std::int32_t code, const QString &detail = {});

    // The text as a line of the log holds it: line breaks and other control
    // characters written as escapes (\n, \r, \xNN), so that a name or a path
    // from someone's file can neither split its line nor forge the next one.
    static QString OneLine(const QString &text);

    // Where the next line goes.
    QString FilePath() const;

private:
    bool AppendLine(const QString &path, const QByteArray &line) const;

    QString m_Path;
    QString m_FallbackPath;
    bool m_UseFallback = false;
    MessagePresenter *m_pPresenter;
};
