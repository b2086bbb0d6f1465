#pragma once

#include "model/CNodeB.h"
#include "model/Guid.h"
#include "model/items/OutTable.h"
#include "model/items/StateTable.h"
#include "model/items/TermDevTable.h"

// The device part of a lift: its address on the line controller.
class CDev
{
public:
    virtual ~CDev();
    std::int32_t Addr = 0;
};

// A lift (element LIFT inside HOME): identity, connection and passport, and
// its own state, output and terminal-device tables.
class CLiftB : public CNodeTreeB, public CDev
{
public:
    explicit CLiftB(CNodeTreeB *parent);
    ~CLiftB() override;

    NodeKind GetKind() const override;
    void XMLLoad(const XmlNode &node) override;
    bool IsModified() const override;
    void ClearModified() override;
    void ReleaseElements() override;

    virtual std::unique_ptr<CStateB> CreateState(std::int32_t number);
    virtual std::unique_ptr<COutB> CreateOut(std::int32_t number);

    std::int32_t InsContr = 1;
    QString ID;
    Guid GUID;
    std::int32_t SubNet = -1;
    std::int32_t UM = 0;
    std::int32_t Slot = 0;
    std::int32_t IDPro = 0;
    // Position in the Direct group of the layout by controller; never read from a file.
    std::int32_t m_Direct = 0;
    std::int32_t TotLvlUnder = 0;
    QString NameLock;
    QString Owner;
    QString ServBrig;
    QString Mehan;
    QString RegNum;
    QString Model;
    QString Wight;
    QString Speed;
    QString TotlStop;
    QString JobYear;
    QString DatTO;
    QString Manuf;
    QString Reduct;
    QString ElDriver;
    QString Kanat;
    QString SkafManag;
    QString NameFloor;
    QString Comment;
    QString VideoCmd;
    QString SignalMan;
    QString FactoryNumLU;
    std::int32_t Typ = 0;
    std::int32_t Access = 0;
    CTabStateB m_TabState{this};
    CTabOutB m_TabOut{this};
    CTabTermDevB m_TabDev{this};
};

// The file stores a comment's line breaks as the four characters \r\n.
QString ExpandCommentLineBreaks(QString comment);
