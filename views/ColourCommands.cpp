#include "views/ColourCommands.h"

#include "layout/CPunct.h"
#include "layout/CStreet.h"
#include "log/MessagePresenter.h"
#include "model/ResString.h"
#include "views/ChosenColours.h"
#include "views/ColourChooser.h"
#include "views/CommandId.h"
#include "views/ViewServices.h"

QString BlackRefusedText()
{
    return LoadResString(TextId::BlackBackgroundRefused);
}

bool ChooseAndStoreColour(CommandId command, CPunct &point, CStreet *street, QWidget *parent, ViewServices &services)
{
    if (command == CommandId::StreetBackground && !street)
        return false;
    const Colour initial = command == CommandId::StreetBackground ? street->m_Color : point.FonGrp;
    const std::optional<Colour> chosen = services.colours.Choose(parent, initial);
    if (!chosen)
        return false;
    if ((*chosen & 0xFFFFFF) == 0) {
        services.presenter.ShowMessageBox(BlackRefusedText(), MessagePresenter::Icon::Warning);
        return false;
    }
    ChosenColours *record = services.chosen;
    switch (command) {
    case CommandId::PointBackground:
        point.FonGrp = *chosen;
        if (record)
            record->PointChosen(point);
        break;
    case CommandId::AllStreetsBackground:
        for (CStreet *s : ChildrenAs<CStreet>(point)) {
            s->m_Color = *chosen;
            if (record)
                record->StreetChosen(*s);
        }
        break;
    case CommandId::StreetBackground:
        street->m_Color = *chosen;
        if (record)
            record->StreetChosen(*street);
        break;
    default:
        return false;
    }
    return true;
}
