#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

class SettingsFiles;

// The gun library modules/gun/gunData.bin, shared by all profiles, and the
// per-profile axis sensitivities and gun selections. The library belongs to
// the installation: without its file every write is skipped and every read is
// empty.
class GunLibrary
{
public:
    // A gun entry as the gun page keeps it: name, fire button, period,
    // horizontal and vertical correction, shot count.
    static constexpr int kEntrySize = 6;

    explicit GunLibrary(SettingsFiles &files);

    QString gunFilePath() const;

    // Stores the first six values under "gunData/" + `index`; false when the
    // library is missing or fewer than six values came.
    bool mouseSaveGundata(const QString &index, const QVariantList &src6);
    // Type 0 removes the entry named by element 0; type 1 removes the entry
    // named by element 6 and stores elements 1 to 5 under element 0. False for
    // any other type, a short list or a missing library.
    bool modifyGundata(const QVariant &modifyType, const QVariantList &src6);
    QVariantList getGunData(const QString &name) const;
    QStringList getGunDataKey() const;

    // Current profile: "XYSensitive/" + index (4 when absent) and
    // "selectGun/" + index (empty text when absent).
    QVariant getXYSensitive(const QString &index) const;
    QVariant getselectGun(const QString &index) const;
    void setXYSensitive(const QString &index, const QVariant &xyData);
    void setSelectGun(const QString &index, const QVariant &xyData);

private:
    bool hasLibrary() const;

    SettingsFiles &m_files;
};
