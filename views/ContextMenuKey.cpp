#include "views/ContextMenuKey.h"

#include <QContextMenuEvent>
#include <QKeyEvent>

bool ContextMenuKey::IsKeyboardRequest(const QContextMenuEvent &event)
{
    if (event.reason() != QContextMenuEvent::Keyboard)
        return false;
    m_PlatformAsked = true;
    return true;
}

bool ContextMenuKey::IsKeyboardRequest(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (event.key() == Qt::Key_F10)
        return modifiers == Qt::ShiftModifier;
    if (event.key() != Qt::Key_Menu || modifiers != Qt::NoModifier)
        return false;
    // The platform's own event for this press has opened the menu already.
    const bool answered = m_PlatformAsked;
    m_PlatformAsked = false;
    return !answered;
}
