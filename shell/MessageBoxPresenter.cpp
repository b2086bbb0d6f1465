#include "shell/MessageBoxPresenter.h"

#include "model/ResString.h"

#include <QCheckBox>
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

QString MessageBoxPresenter::HoldBackText()
{
    return LoadResString(TextId::HoldBackReadMessages);
}

void MessageBoxPresenter::ShowReadMessage(const QString &text)
{
    if (m_PanelOnly || m_RestOfFileHeld) {
        ++m_HeldBack;
        return;
    }
    QMessageBox box(QMessageBox::Information, QStringLiteral("Korvix"), text, QMessageBox::Ok, m_Parent);
    box.setCheckBox(new QCheckBox(HoldBackText(), &box));
    box.exec();
    m_RestOfFileHeld = box.checkBox()->isChecked();
}

void MessageBoxPresenter::StartFile()
{
    m_RestOfFileHeld = false;
    m_HeldBack = 0;
}
