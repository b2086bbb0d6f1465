#pragma once

#include "model/CPunctB.h"
#include "model/Guid.h"
#include "model/items/KeyTable.h"
#include "model/items/OutTable.h"
#include "model/items/StateTable.h"
#include "model/StructureMessages.h"
#include "model/TimeValues.h"
#include "model/xml/XmlDocument.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

// The console root (element PULT): the console's settings, its item tables,
// the dispatch points, and the one structure file loaded into them. Every
// message raised in the structure reaches the presentation through it.
class CRootB : public CNodeTreeB
{
public:
    CRootB();
    ~CRootB() override;

    NodeKind GetKind() const override;
    void XMLLoad(const XmlNode &node) override;
    bool IsModified() const override;
    void ClearModified() override;
    void ReleaseElements() override;

    virtual std::unique_ptr<CPunctB> CreatePunct();
    virtual std::unique_ptr<CStateB> CreateState(std::int32_t number);
    virtual std::unique_ptr<COutB> CreateOut(std::int32_t number);
    virtual std::unique_ptr<CKeyB> CreateKey();
    // An information message (repeated names, bad group references).
    virtual void ShowMessage(const QString &text, std::intptr_t extra) = 0;
    // The same message with its place; by default only its text is shown.
    virtual void ShowMessageAt(const StructureMessage &message) { ShowMessage(message.text, 0); }
    // An error to record and show; `detail` says what the code alone does not.
    virtual void ReportError(const QString &text, std::int32_t code, const QString &detail = {}) = 0;

    // Document-level reading. ResetStructure empties the structure (the
    // settings keep their values); NewXMLDOM makes a new document and throws
    // ErrorXML when it cannot, CreateXMLDOM does the same and reports its own
    // failure instead; LoadXML reads a file into the empty structure and
    // throws ErrorXML on failure; ReleaseXML drops every DOM reference.
    void ResetStructure();
    void NewXMLDOM();
    bool CreateXMLDOM();
    void LoadXML(const QString &path);
    // The same read for a file already in memory.
    void LoadXMLFromBytes(QByteArray bytes);
    void ReleaseXML();
    // Whether the last read found a PULT element (a well-formed file without
    // one reads as an empty structure).
    bool HasPult() const { return m_HasPult; }

    std::int32_t TimeAsk = 1;
    std::int32_t TimeDriv = 180;
    std::int32_t TimeGGS = 180;
    std::int32_t OnLift = 0;
    std::int32_t LockOut = 0;
    std::int32_t OnTimer = 0;
    DateTimeValue Timer;
    std::int32_t MaxVisibleRec = 5000;
    Guid GUID;
    std::int32_t IntervSTAT = 1;
    std::int32_t DivIntSTAT = 0;
    QString NameLock;
    std::uint32_t CRC = 0;
    std::int32_t AvtoOpenNewErr = 0;
    std::int32_t AvtoCloseNewErr = 1;
    std::int32_t AdrLift = 1;
    std::int32_t DisGrad = 0;
    std::int32_t DisServKey = 0;
    bool EnableGCM = false;
    bool EnablePushNotify = false;
    bool EnableEmailNotify = false;
    CTabStateB m_TabState{this};
    CTabOutB m_TabOut{this};
    CTabKeyB m_TabKey{this};
    QString TreePos;
    QString TabPos;
    QString LogPos;
    QString ColLog;
    QString WindowPos;
    std::int32_t AlarmAdmin = 0;
    std::int32_t TypProfil = 0;
    std::int32_t DaySavCheck = 0;
    std::int32_t DaySavEvents = 0;
    std::int32_t DaySavVoice = 0;
    std::int32_t DaySavStat = 0;
    std::int32_t Providers = 0;
    TimeSpanValue FirstTestMove = TimeSpanValue::HoursAndHalf(8);
    TimeSpanValue SecondTestMove = TimeSpanValue::HoursAndHalf(18);
    // Every lift of the structure, sorted by IdDB after a read.
    std::vector<CLiftB *> m_Lifts;
    XmlDocument m_XMLDOM;

protected:
    // Hooks for the layout root: what a reset and a completed read add.
    virtual void ResetLayoutState();
    virtual void DeriveLabels();

private:
    void ReadLoadedDocument(const XmlLoadResult &loaded);

    bool m_HasPult = false;
};
