#pragma once

#include <QString>

// Whoever shows the program's messages to its user: a window shows boxes
// titled "Korvix", the command line writes lines, a test records them.
class MessagePresenter
{
public:
    enum class Icon { Information, Warning, Error };

    virtual ~MessagePresenter() = default;
    // Shows the text and returns once the user has seen it.
    virtual void ShowMessageBox(const QString &text, Icon icon) = 0;
    // An information message of a structure file's read; a window may let
    // the user hold the rest of a file's messages back for its panel.
    virtual void ShowReadMessage(const QString &text) { ShowMessageBox(text, Icon::Information); }
};
