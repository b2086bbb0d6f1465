#pragma once

#include <QChar>
#include <QObject>
#include <QString>

class QMenuBar;
class QWidget;

// The menus' mnemonics are Cyrillic letters. With a Latin keyboard layout
// their keys give Latin letters, which Qt does not match against them. This
// filter (on the application) gives such a key press the letter the same key
// gives in the Russian layout: Alt+key in the window opens the menu of the
// menu bar, and a key in an open menu chooses its item, in either layout.
class CyrillicMnemonicKeys : public QObject
{
public:
    CyrillicMnemonicKeys(QWidget &window, QMenuBar &menuBar, QObject *parent = nullptr);
    ~CyrillicMnemonicKeys() override;

    // The capital Cyrillic letter of the Russian layout on the key that gives
    // this key code in a Latin (QWERTY) layout; null when there is none.
    static QChar CyrillicOnKey(int qtKey);
    // The capital letter after a text's mnemonic mark; null when it has none.
    static QChar MnemonicOf(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &m_Window;
    QMenuBar &m_MenuBar;
};
