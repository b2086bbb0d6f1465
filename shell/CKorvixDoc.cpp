#include "shell/CKorvixDoc.h"

#include "layout/CRoot.h"
#include "layout/StructureFileLoad.h"
#include "log/MessagePresenter.h"
#include "model/ResString.h"

#include <QDir>
#include <QFileInfo>

CKorvixDoc::CKorvixDoc(CRoot &root, MessagePresenter &presenter, QObject *parent)
    : QObject(parent)
    , m_Root(root)
    , m_Presenter(presenter)
{
}

QString CKorvixDoc::Title() const
{
    if (m_PathName.isEmpty())
        return LoadResString(TextId::UntitledDocument);
    return QFileInfo(m_PathName).fileName();
}

bool CKorvixDoc::IsAlreadyOpen(const QString &path) const
{
    if (m_PathName.isEmpty())
        return false;
    const QFileInfo current(m_PathName);
    const QFileInfo requested(path);
    const QString a = current.canonicalFilePath();
    const QString b = requested.canonicalFilePath();
    if (!a.isEmpty() && !b.isEmpty())
        return a == b;
    return current.absoluteFilePath() == requested.absoluteFilePath();
}

bool CKorvixDoc::OnOpenDocument(const QString &path)
{
    if (IsAlreadyOpen(path))
        return true;
    return Read(path);
}

bool CKorvixDoc::Reload()
{
    return !m_PathName.isEmpty() && Read(m_PathName);
}

bool CKorvixDoc::Read(const QString &path)
{
    const StructureFileOpen opened = OpenStructureFile(m_Root, path, [this] { emit StructureAboutToBeReplaced(); });
    switch (opened.outcome) {
    case StructureFileOpen::Outcome::CannotOpen:
        m_Presenter.ShowMessageBox(opened.message, MessagePresenter::Icon::Error);
        return false;
    case StructureFileOpen::Outcome::EmptyFile:
        break; // nothing read: structure and tree stay as they were
    case StructureFileOpen::Outcome::Loaded:
    case StructureFileOpen::Outcome::Rejected:
        // After a rejected file the structure is empty; the tree must not
        // keep items of the discarded nodes.
        emit StructureReplaced();
        break;
    }
    m_PathName = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    emit DocumentChanged();
    if (opened.outcome == StructureFileOpen::Outcome::Loaded && !m_Root.HasPult())
        emit ReadWithoutPult();
    return true;
}

void CKorvixDoc::OnNewDocument()
{
    m_PathName.clear();
    emit DocumentChanged();
}
