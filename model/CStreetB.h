#pragma once

#include "model/CHomeB.h"
#include "model/Geometry.h"

// A street (element STREET); its children are houses.
class CStreetB : public CNodeTreeB
{
public:
    explicit CStreetB(CNodeTreeB *parent);

    NodeKind GetKind() const override;
    void XMLLoad(const XmlNode &node) override;

    virtual std::unique_ptr<CHomeB> CreateHome();

    Colour Fon = kWhite;
};
