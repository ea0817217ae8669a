#include "storeconventions.h"

#include "filewriting.h"
#include "settingsstore.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>

namespace {

// The longest file name both systems accept, in bytes (Linux) and in UTF-16
// units (Windows), less the room for the extension.
constexpr int kMaxNameLength = 255 - 4;

bool isWindowsDeviceName(const QString &name)
{
    // "CON.bin" or "nul .txt" still open the device on Windows.
    QString base = name.section(QLatin1Char('.'), 0, 0);
    while (base.endsWith(QLatin1Char(' ')))
        base.chop(1);
    base = base.toUpper();
    static const QStringList fixed = {QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                      QStringLiteral("NUL")};
    if (fixed.contains(base))
        return true;
    return base.size() == 4
           && (base.startsWith(QLatin1String("COM")) || base.startsWith(QLatin1String("LPT")))
           && base.at(3) >= QLatin1Char('1') && base.at(3) <= QLatin1Char('9');
}

// The whole content of a regular file of at most kMaxFileBytes; false for
// anything else (a folder, a device, a pipe, a huge file).
bool readSmallFile(const QString &path, QByteArray *bytes)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > Store::kMaxFileBytes)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.read(Store::kMaxFileBytes + 1);
    return file.error() == QFileDevice::NoError && bytes->size() <= Store::kMaxFileBytes;
}

} // namespace

namespace Store {

QString filler()
{
    return QStringLiteral("loadersentry");
}

bool toBool(const QVariant &value)
{
    const QString text = value.toString().trimmed();
    return !text.isEmpty() && text != QLatin1String("0")
           && text.compare(QLatin1String("false"), Qt::CaseInsensitive) != 0;
}

QVariantList toTextList(const QVariant &value)
{
    QVariantList texts;
    if (value.userType() == QMetaType::QStringList) {
        const QStringList list = value.toStringList();
        for (const QString &text : list)
            texts.append(text);
    } else if (value.userType() == QMetaType::QVariantList) {
        const QVariantList list = value.toList();
        for (const QVariant &element : list)
            texts.append(element.toString());
    }
    return texts;
}

QVariant storedForm(const QVariant &value)
{
    QStringList texts;
    if (value.userType() == QMetaType::QVariantList) {
        const QVariantList list = value.toList();
        for (const QVariant &element : list)
            texts.append(element.toString());
    } else if (value.userType() == QMetaType::QStringList) {
        texts = value.toStringList();
    } else {
        return value;
    }
    // One element is plain text on disk; hold it as such from the start, so
    // the value reads the same before and after the file is read again.
    if (texts.size() == 1)
        return texts.first();
    return texts;
}

bool isUsableKey(const QString &key)
{
    for (const QChar c : key) {
        if (c != QLatin1Char('/'))
            return true;
    }
    return false;
}

bool write(QSettings &store, const QString &key, const QVariant &value)
{
    if (!isUsableKey(key))
        return false;
    store.setValue(key, storedForm(value));
    return SettingsStore::commit(store);
}

QString entryKey(const QString &group, const QString &name)
{
    return isUsableKey(name) ? group + QLatin1Char('/') + name : QString();
}

bool isSafeFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    if (!name.isValidUtf16() || name.size() > kMaxNameLength || name.toUtf8().size() > kMaxNameLength)
        return false;
    static const QString refused = QStringLiteral("/\\<>:\"|?*");
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || refused.contains(c))
            return false;
    }
    if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        return false;
    return !isWindowsDeviceName(name);
}

QStringList withFiller(const QStringList &names)
{
    if (names.size() == 1)
        return {names.first(), filler()};
    return names;
}

bool replaceFile(const QString &source, const QString &target)
{
    QByteArray bytes;
    return readSmallFile(source, &bytes) && FileWriting::replace(target, bytes, source);
}

bool copyToNewFile(const QString &source, const QString &target)
{
    QByteArray bytes;
    if (!readSmallFile(source, &bytes))
        return false;
    const QFileInfo info(target);
    if (info.exists() || info.isSymLink())
        return false;
    FileWriting::makeFolders(info.absolutePath());
    forgetCachedFile(target);

    QTemporaryFile part(info.absolutePath() + QStringLiteral("/XXXXXX.part"));
    if (!part.open())
        return false;
    if (part.write(bytes) != bytes.size() || !part.flush())
        return false;
    part.setPermissions(FileWriting::noWiderThan(FileWriting::createdPermissions(), source));
    const QString partName = part.fileName();
    // The rename never replaces an existing file; keep the part file only as
    // long as the rename has not happened.
    part.setAutoRemove(false);
    if (!part.rename(target)) {
        part.close();
        QFile::remove(partName);
        return false;
    }
    return true;
}

bool renameToNewFile(const QString &from, const QString &to)
{
    const QFileInfo target(to);
    if (target.exists() || target.isSymLink() || !QFileInfo(from).isFile())
        return false;
    forgetCachedFile(to);
    return QFile::rename(from, to);
}

void forgetCachedFile(const QString &path)
{
    if (QFileInfo::exists(path))
        return;
    // A store opened on a missing file reads it as empty, and Qt forgets an
    // empty file when its last store goes.
    const QSettings forget(path, QSettings::IniFormat);
    Q_UNUSED(forget)
}

} // namespace Store
