#pragma once

#include <QDialog>
#include <QRect>

class QFontMetrics;

// "О проекте Korvix": the application icon, its name and version, and OK.
class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget *parent = nullptr);

    // A rectangle in dialog units (a quarter of the font's average letter
    // width, an eighth of its height) in pixels.
    static QRect DialogUnitsToPixels(const QFontMetrics &metrics, const QRect &units);
};
