#pragma once

#include "layout/TreeOrder.h"
#include "model/CHomeB.h"
#include "model/Geometry.h"

// A house with its label, the label's drawn lines and its cell in the last layout.
class CHome : public CHomeB
{
public:
    using CHomeB::CHomeB;
    std::unique_ptr<CLiftB> CreateLift() override;

    TreeItemHandle m_TreeItem;
    // The name without its "д." prefix.
    QString m_Label;
    // The label as the view last drew it: one line, or two (written by the view).
    QString m_Line1;
    QString m_Line2;
    bool m_Line2Over = false; // the second line is wider than the cell
    bool m_Line1Large = false; // a short single line that fits the cell in the large font
    std::int32_t m_Order = 0;
    Rect m_Rect;
};
