#pragma once

#include "model/CLiftB.h"

// A house (element HOME); its children are lifts.
class CHomeB : public CNodeTreeB
{
public:
    explicit CHomeB(CNodeTreeB *parent);

    NodeKind GetKind() const override;
    void XMLLoad(const XmlNode &node) override;

    virtual std::unique_ptr<CLiftB> CreateLift();
};
