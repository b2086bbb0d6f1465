#include "CAboutDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(QStringLiteral("О проекте Korvix"));
    auto *icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/korvix.svg")).pixmap(32, 32));
    auto *text = new QLabel(QStringLiteral("Korvix, версия 1.0"), this);
    text->setObjectName(QStringLiteral("aboutText"));
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("ОК"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(21, 21, 21, 14);
    layout->setHorizontalSpacing(16);
    layout->addWidget(icon, 0, 0, Qt::AlignTop);
    layout->addWidget(text, 0, 1, Qt::AlignTop);
    layout->addWidget(buttons, 1, 0, 1, 2);
    // A fixed-size dialog: nothing to resize or maximise.
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowMaximizeButtonHint);
    setFixedSize(sizeHint().expandedTo(QSize(255, 100)));
}
