#pragma once

#include "model/Geometry.h"

#include <optional>

class QWidget;

// Asks the user for a colour: the platform's colour dialog in the window, a
// scripted answer in tests. Nothing when cancelled.
class ColourChooser
{
public:
    virtual ~ColourChooser() = default;
    virtual std::optional<Colour> Choose(QWidget *parent, Colour initial) = 0;
};

// The colour dialog with its custom colours shown.
class DialogColourChooser : public ColourChooser
{
public:
    std::optional<Colour> Choose(QWidget *parent, Colour initial) override;
};
