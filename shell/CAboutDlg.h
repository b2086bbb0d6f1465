#pragma once

#include <QDialog>

// "О проекте Korvix": the application icon, its name and version, and OK.
class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget *parent = nullptr);
};
