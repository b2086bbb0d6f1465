#pragma once

class CRoot;
class ColourChooser;
class MessagePresenter;

// What the views share and do not own: the structure root, the colour
// chooser and whoever shows messages.
struct ViewServices
{
    CRoot &root;
    ColourChooser &colours;
    MessagePresenter &presenter;
};
