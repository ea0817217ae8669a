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
    virtual QString saveFile(const QString &caption, const QString &filter) = 0;

protected:
    FileDialogs() = default;
    FileDialogs(const FileDialogs &) = default;
    FileDialogs &operator=(const FileDialogs &) = default;
};
