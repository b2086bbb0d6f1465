#include "layout/CRoot.h"

#include "layout/CHome.h"
#include "layout/CPunct.h"
#include "layout/CStreet.h"
#include "log/LogFile.h"
#include "log/MessagePresenter.h"
#include "model/ResString.h"
#include "model/WideSpace.h"

CRoot::CRoot(LogFile *log, MessagePresenter *presenter)
    : m_pLog(log)
    , m_pPresenter(presenter)
{
}

CRoot::~CRoot() = default;

std::unique_ptr<CPunctB> CRoot::CreatePunct()
{
    return std::make_unique<CPunct>(this);
}

void CRoot::ShowMessage(const QString &text, std::intptr_t)
{
    if (m_pPresenter)
        m_pPresenter->ShowReadMessage(text);
}

void CRoot::ShowMessageAt(const StructureMessage &message)
{
    if (m_LoadReport.messages.size() < LoadReport::kKeptMessages)
        m_LoadReport.messages.push_back(message);
    ++m_LoadReport.messageCount;
    ShowMessage(message.text, 0);
}

void CRoot::NoteLoadError(const QString &text, std::int32_t code, const QString &detail, const XmlPosition &position)
{
    m_LoadReport.failed = true;
    m_LoadReport.errorText = LogFile::ErrorLine(text, code, detail);
    m_LoadReport.errorPosition = position;
}

void CRoot::ReportError(const QString &text, std::int32_t code, const QString &detail)
{
    if (m_pLog)
        m_pLog->WriteError(text, code, detail);
    else if (m_pPresenter)
        m_pPresenter->ShowMessageBox(LogFile::ErrorLine(text, code, detail), MessagePresenter::Icon::Error);
}

void CRoot::ResetLayoutState()
{
    m_CurPunct = nullptr;
    // The nodes the messages point to are about to go.
    for (StructureMessage &message : m_LoadReport.messages)
        message.node = nullptr;
}

QString LabelWithoutPrefix(const QString &name, std::initializer_list<QStringView> prefixes)
{
    QStringView rest = name;
    for (QStringView prefix : prefixes) {
        if (rest.startsWith(prefix)) {
            rest = rest.sliced(prefix.size());
            break;
        }
    }
    return TrimWide(rest);
}

void CRoot::DeriveLabels()
{
    // Looked up once, not for every street and house.
    const QString streetPrefix = LoadResString(TextId::StreetNamePrefix);
    const QString streetPrefixCapitalized = LoadResString(TextId::StreetNamePrefixCapitalized);
    const QString lanePrefix = LoadResString(TextId::LaneNamePrefix);
    const QString lanePrefixCapitalized = LoadResString(TextId::LaneNamePrefixCapitalized);
    const QString housePrefix = LoadResString(TextId::HouseNamePrefix);
    const QString housePrefixCapitalized = LoadResString(TextId::HouseNamePrefixCapitalized);
    for (CPunct *punct : ChildrenAs<CPunct>(*this)) {
        for (CStreet *street : ChildrenAs<CStreet>(*punct)) {
            street->m_Label = LabelWithoutPrefix(
                street->m_Name, {streetPrefix, streetPrefixCapitalized, lanePrefix, lanePrefixCapitalized});
            for (CHome *home : ChildrenAs<CHome>(*street))
                home->m_Label = LabelWithoutPrefix(home->m_Name, {housePrefix, housePrefixCapitalized});
        }
    }
}
