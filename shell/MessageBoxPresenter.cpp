#include "MessageBoxPresenter.h"

#include <QMessageBox>

void MessageBoxPresenter::ShowMessageBox(const QString &text, Icon icon)
{
    QMessageBox::Icon boxIcon = QMessageBox::Information;
    if (icon == Icon::Warning)
        boxIcon = QMessageBox::Warning;
    else if (icon == Icon::Error)
        boxIcon = QMessageBox::Critical;
    QMessageBox box(boxIcon, QStringLiteral("Korvix"), text, QMessageBox::Ok, m_Parent);
    box.exec();
}
