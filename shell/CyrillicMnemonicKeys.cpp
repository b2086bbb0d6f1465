#include "shell/CyrillicMnemonicKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include <utility>

namespace {

// Latin letters are Qt key codes of their own capitals.
constexpr std::pair<int, char16_t> kRussianOverQwerty[] = {
    {Qt::Key_Q, u'Й'}, {Qt::Key_W, u'Ц'}, {Qt::Key_E, u'У'}, {Qt::Key_R, u'К'}, {Qt::Key_T, u'Е'},
    {Qt::Key_Y, u'Н'}, {Qt::Key_U, u'Г'}, {Qt::Key_I, u'Ш'}, {Qt::Key_O, u'Щ'}, {Qt::Key_P, u'З'},
    {Qt::Key_BracketLeft, u'Х'}, {Qt::Key_BracketRight, u'Ъ'}, {Qt::Key_A, u'Ф'}, {Qt::Key_S, u'Ы'},
    {Qt::Key_D, u'В'}, {Qt::Key_F, u'А'}, {Qt::Key_G, u'П'}, {Qt::Key_H, u'Р'}, {Qt::Key_J, u'О'},
    {Qt::Key_K, u'Л'}, {Qt::Key_L, u'Д'}, {Qt::Key_Semicolon, u'Ж'}, {Qt::Key_Apostrophe, u'Э'},
    {Qt::Key_Z, u'Я'}, {Qt::Key_X, u'Ч'}, {Qt::Key_C, u'С'}, {Qt::Key_V, u'М'}, {Qt::Key_B, u'И'},
    {Qt::Key_N, u'Т'}, {Qt::Key_M, u'Ь'}, {Qt::Key_Comma, u'Б'}, {Qt::Key_Period, u'Ю'},
    {Qt::Key_QuoteLeft, u'Ё'},
};

bool HasMnemonic(const QList<QAction *> &actions, QChar letter)
{
    for (const QAction *action : actions) {
        if (action->isVisible() && CyrillicMnemonicKeys::MnemonicOf(action->text()) == letter)
            return true;
    }
    return false;
}

} // namespace

CyrillicMnemonicKeys::CyrillicMnemonicKeys(QWidget &window, QMenuBar &menuBar, QObject *parent)
    : QObject(parent)
    , m_Window(window)
    , m_MenuBar(menuBar)
{
    qApp->installEventFilter(this);
}

CyrillicMnemonicKeys::~CyrillicMnemonicKeys()
{
    qApp->removeEventFilter(this);
}

QChar CyrillicMnemonicKeys::CyrillicOnKey(int qtKey)
{
    for (const auto &[key, letter] : kRussianOverQwerty) {
        if (key == qtKey)
            return QChar(letter);
    }
    return {};
}

QChar CyrillicMnemonicKeys::MnemonicOf(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] != u'&')
            return text[i + 1].toUpper();
        ++i; // "&&" is an ampersand shown as such
    }
    return {};
}

bool CyrillicMnemonicKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const QChar letter = CyrillicOnKey(key->key());
    if (letter.isNull())
        return false;

    if (auto *menu = qobject_cast<QMenu *>(watched)) {
        // Only a press that gives a Latin character: the one passed on
        // carries the Cyrillic letter and goes through untouched.
        const QString text = key->text();
        const bool latin = text.size() == 1 && text[0].unicode() > 0x20 && text[0].unicode() < 0x7F;
        if (!latin || (key->modifiers() & ~Qt::ShiftModifier) != Qt::NoModifier ||
            HasMnemonic(menu->actions(), text[0].toUpper()) || !HasMnemonic(menu->actions(), letter))
            return false;
        QKeyEvent russian(QEvent::KeyPress, key->key(), key->modifiers(), QString(letter).toLower());
        QCoreApplication::sendEvent(menu, &russian);
        return true;
    }

    // Alt with a key that is no shortcut of its own (those never get here).
    auto *widget = qobject_cast<QWidget *>(watched);
    if (key->modifiers() != Qt::AltModifier || !widget || widget->window() != &m_Window ||
        QApplication::activePopupWidget())
        return false;
    for (QAction *action : m_MenuBar.actions()) {
        if (action->menu() && action->isVisible() && action->isEnabled() && MnemonicOf(action->text()) == letter) {
            m_MenuBar.setActiveAction(action);
            return true;
        }
    }
    return false;
}
