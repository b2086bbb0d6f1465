#include "views/ColourChooser.h"

#include <QColorDialog>

std::optional<Colour> DialogColourChooser::Choose(QWidget *parent, Colour initial)
{
    const QColor chosen = QColorDialog::getColor(QColor(RedOf(initial), GreenOf(initial), BlueOf(initial)), parent);
    if (!chosen.isValid())
        return std::nullopt;
    return MakeColour(static_cast<std::uint8_t>(chosen.red()), static_cast<std::uint8_t>(chosen.green()),
                      static_cast<std::uint8_t>(chosen.blue()));
}
