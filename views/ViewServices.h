#pragma once

class ChosenColours;
class CRoot;
class ColourChooser;
class MessagePresenter;

// What the views share and do not own: the structure root, the colour
// chooser, whoever shows messages, and the record of chosen colours.
struct ViewServices
{
    CRoot &root;
    ColourChooser &colours;
    MessagePresenter &presenter;
    // Where the colour commands record what was chosen; may be null.
    ChosenColours *chosen = nullptr;
};
