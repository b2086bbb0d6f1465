#pragma once

class QContextMenuEvent;
class QKeyEvent;

// The keys that open a context menu from the keyboard: the Menu key and
// Shift+F10. X11 and Windows turn a Menu key press into a context-menu event
// of their own, delivered just before the key press itself; other platforms
// deliver only the key. A view hands both kinds of event here and opens its
// keyboard menu once either way.
class ContextMenuKey
{
public:
    // True when a context-menu event came from the keyboard.
    bool IsKeyboardRequest(const QContextMenuEvent &event);
    // True when the key press asks for the menu and the platform has not
    // already asked for it with an event of its own.
    bool IsKeyboardRequest(const QKeyEvent &event);

private:
    bool m_PlatformAsked = false;
};
