#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class CRoot;

// Opening a structure file as File Open does, shared by the window and the
// command line.
struct StructureFileOpen
{
    enum class Outcome {
        Loaded,     // read into the root; "Loaded: <path>" was logged
        Rejected,   // the reader refused it: the structure is empty, the error logged and shown
        EmptyFile,  // length 0: nothing read, the structure untouched, nothing logged
        CannotOpen, // not openable for reading: the structure untouched, nothing logged
    };
    Outcome outcome = Outcome::Loaded;
    // For CannotOpen: why, for the user.
    QString message;
};

// Reads the file (once), skips a file of length 0, and otherwise reads it
// into the root: reset, a new DOM document, the read, the "Loaded: " line; a
// read that fails resets the structure again and reports the error.
// `beforeReplace` runs right before the structure is reset, so that whoever
// points into it (the tree) can let go first.
StructureFileOpen OpenStructureFile(CRoot &root, const QString &path,
                                    const std::function<void()> &beforeReplace = {});

// The read alone, from the file's path.
bool LoadStructureFile(CRoot &root, const QString &path);

// The read of a structure file's bytes into the root, as every read of the
// program does it: the structure reset, a new DOM document, the bytes read
// into it and the structure built from them (sorted, with labels). A read
// that fails, the making of the document included, throws ErrorXML. Nothing
// is logged or shown; the functions above add that and the report.
void ReadStructureBytes(CRoot &root, QByteArray bytes);

// The same read from a file's path, the file read as File Open reads it; a
// file that cannot be read empties the structure and throws the read's
// ErrorXML.
void ReadStructureFile(CRoot &root, const QString &path);
