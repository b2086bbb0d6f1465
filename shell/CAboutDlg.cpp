#include "shell/CAboutDlg.h"

#include "model/ResString.h"

#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

QRect CAboutDlg::DialogUnitsToPixels(const QFontMetrics &metrics, const QRect &units)
{
    // A dialog unit is a quarter of the font's average letter width across
    // and an eighth of its height down.
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int across = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
    const int down = metrics.height();
    const auto x = [across](int u) { return (u * across + 2) / 4; };
    const auto y = [down](int u) { return (u * down + 4) / 8; };
    return QRect(x(units.x()), y(units.y()), x(units.width()), y(units.height()));
}

CAboutDlg::CAboutDlg(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(LoadResString(TextId::AboutDialogTitle));
    const QFontMetrics metrics(font());
    const auto place = [&metrics](QWidget *widget, int x, int y, int width, int height) {
        widget->setGeometry(DialogUnitsToPixels(metrics, QRect(x, y, width, height)));
    };

    // Placed as the dialog template places them, in dialog units of the
    // dialog's font: icon and text side by side at the top, OK at the
    // bottom right.
    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("aboutIcon"));
    icon->setPixmap(QIcon(QStringLiteral(":/icons/korvix.svg")).pixmap(32, 32));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    icon->move(DialogUnitsToPixels(metrics, QRect(14, 14, 0, 0)).topLeft());
    icon->resize(32, 32);
    auto *text = new QLabel(LoadResString(TextId::AboutDialogVersion), this);
    text->setObjectName(QStringLiteral("aboutText"));
    place(text, 42, 14, 114, 8);
    auto *ok = new QPushButton(LoadResString(TextId::AboutDialogOk), this);
    ok->setDefault(true);
    place(ok, 113, 41, 50, 14);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    // A fixed-size dialog: nothing to resize or maximise.
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowMaximizeButtonHint);
    setFixedSize(DialogUnitsToPixels(metrics, QRect(0, 0, 170, 62)).size());
}
