#pragma once

#include <QString>
#include <QStringList>

// The lines of a log file without their "dd.MM.yyyy HH:mm:ss " stamps; a line
// without a proper stamp stays whole, so that a comparison shows it.
QStringList LogTextsOf(const QString &path);
