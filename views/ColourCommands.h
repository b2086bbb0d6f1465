#pragma once

#include "views/CommandId.h"
#include <QString>

class CPunct;
class CStreet;
class QWidget;
struct ViewServices;

// The text that refuses black as a background.
QString BlackRefusedText();

// The colour commands, shared by the tree and the table: PointBackground the
// point's background, AllStreetsBackground every street frame of the point,
// StreetBackground one street's frame.
// Asks for the colour (starting from the current one) and stores it. Returns
// false, changing nothing, when the dialog is cancelled or black is chosen
// (which is refused with a warning).
bool ChooseAndStoreColour(CommandId command, CPunct &point, CStreet *street, QWidget *parent, ViewServices &services);
