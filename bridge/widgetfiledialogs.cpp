#include "widgetfiledialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

WidgetFileDialogs::WidgetFileDialogs(QWidget *parent)
    : m_parent(parent)
{}

QString WidgetFileDialogs::startFolder() const
{
    // A folder that has gone since is not offered again.
    if (!m_lastFolder.isEmpty() && QFileInfo(m_lastFolder).isDir())
        return m_lastFolder;
    return QDir::homePath();
}

QString WidgetFileDialogs::openFile(const QString &caption, const QString &filter)
{
    return ask(caption, filter, QString(), false);
}

QString WidgetFileDialogs::saveFile(const QString &caption, const QString &filter,
                                    const QString &proposedName)
{
    return ask(caption, filter, proposedName, true);
}

QString WidgetFileDialogs::ask(const QString &caption, const QString &filter, const QString &proposedName,
                               bool saving)
{
    const QDir folder(startFolder());
    QFileDialog dialog(m_parent, caption,
                       proposedName.isEmpty() ? folder.path() : folder.filePath(proposedName), filter);
    dialog.setObjectName(QStringLiteral("fileDialog"));
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Asked for here too, so that an overwrite is confirmed for the name
    // that will really be written.
    dialog.setDefaultSuffix(suffixOf(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    m_lastFolder = QFileInfo(chosen).absolutePath();
    return saving ? withSuffixOf(chosen, filter) : chosen;
}
