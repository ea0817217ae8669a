#pragma once

#include <QString>

// Where the user picks a file to import or a place to export to. The program
// shows the system's dialogs; tests and tools answer without a window.
class FileDialogs
{
public:
    virtual ~FileDialogs();

    // The chosen file, or the empty text when the user cancelled.
    virtual QString openFile(const QString &caption, const QString &filter) = 0;
    // `proposedName` is the file name offered at first ("Work.pf").
    virtual QString saveFile(const QString &caption, const QString &filter, const QString &proposedName) = 0;

    // The extension a filter such as "Profile(*.pf)" asks for ("pf"); empty
    // when it names none.
    static QString suffixOf(const QString &filter);
    // `path` with the filter's extension added when the name has none; an
    // empty path (a cancelled dialog) stays empty.
    static QString withSuffixOf(const QString &path, const QString &filter);
    // `name` followed by the filter's extension, for the name proposed.
    static QString proposedName(const QString &name, const QString &filter);

protected:
    FileDialogs() = default;
    FileDialogs(const FileDialogs &) = default;
    FileDialogs &operator=(const FileDialogs &) = default;
};
