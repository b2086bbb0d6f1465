#pragma once

#include <QObject>
#include <QString>

class CRoot;
class MessagePresenter;

// The gate between the file commands and the structure: opening a file
// clears the root, reads the file into it and logs the result. It holds no
// structure of its own, only which file it stands for.
class CKorvixDoc : public QObject
{
    Q_OBJECT

public:
    CKorvixDoc(CRoot &root, MessagePresenter &presenter, QObject *parent = nullptr);

    // Opens a structure file (File Open, a recent file, the command line, a
    // dropped file). The file already open is not read again. False when the
    // file cannot be opened: the document and the structure stay as they were.
    bool OnOpenDocument(const QString &path);
    // New (Ctrl+N): the document is renamed; the structure stays on screen.
    void OnNewDocument();
    // Reads the open file again (File > Обновить). False when there is no
    // file or it cannot be opened now.
    bool Reload();

    // "файл без имени" or the file's name.
    QString Title() const;
    // The full path of the file, empty for a new document.
    QString PathName() const { return m_PathName; }

signals:
    // The structure is about to be emptied and read again: whatever points
    // into it must let go now (the read may show message boxes meanwhile).
    void StructureAboutToBeReplaced();
    // The structure was replaced (read, or emptied after a rejected file):
    // the tree must be rebuilt from it.
    void StructureReplaced();
    // The document changed: the views start over and the title follows.
    void DocumentChanged();
    // The file read has no PULT element, so the structure is empty: most
    // likely another XML file was opened.
    void ReadWithoutPult();

private:
    bool IsAlreadyOpen(const QString &path) const;
    bool Read(const QString &path);

    CRoot &m_Root;
    MessagePresenter &m_Presenter;
    QString m_PathName;
};
