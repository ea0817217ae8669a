#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <array>
#include <memory>

class FileDialogs;

// The settings files under modules/setting/: the application file
// apConfig.bin, the factory profile pD.bin and the ten profiles p1.bin to
// p10.bin (profile number n is p(n+1).bin). One store per file stays open for
// the object's life; an operation that puts another file in place swaps the
// store for a fresh one. Every write through these operations reaches the file
// before the operation returns.
class SettingsFiles
{
public:
    static constexpr int kProfileCount = 10;

    explicit SettingsFiles(const QString &modulesRoot = QStringLiteral("./modules"));
    ~SettingsFiles();
    SettingsFiles(const SettingsFiles &) = delete;
    SettingsFiles &operator=(const SettingsFiles &) = delete;

    // The absolute folder that holds setting/, macro/, gun/ and i18n/.
    const QString &modulesRoot() const { return m_root; }
    QString settingPath(const QString &fileName) const;
    // The file of profile number `profile`, whether or not it is in range.
    QString profilePath(int profile) const;
    static bool isProfile(int profile) { return profile >= 0 && profile < kProfileCount; }

    // The stores, for code that reads or writes keys of its own. A reference is
    // good until the next operation that replaces a file: do not keep it.
    QSettings &application() { return *m_application; }
    QSettings &factory() { return *m_factory; }
    QSettings &current() { return *m_profiles[m_currentProfile]; }
    // Null when `n` is not a profile number.
    QSettings *profile(int n) { return isProfile(n) ? m_profiles[n].get() : nullptr; }

    int currentProfile() const { return m_currentProfile; }
    // A number outside 0..9 is ignored: the current profile stays.
    void setCurrentProfile(int profile);

    // Reads of the current profile, or of the factory profile when
    // `isRecovery`. A missing key gives no value, or an empty list.
    QVariant getData(const QString &key, bool isRecovery) const;
    QVariantList getDataList(const QString &key, bool isRecovery) const;
    // Button `index` ("mouseKeyMatrix/" + index) as its list of texts.
    QVariantList mouseGetKeydefine(const QString &index, bool isRecovery) const;
    QVariant getGlobalData(const QString &key) const;
    // A key of the application file read as a flag (see Store::toBool).
    bool getGlobalBool(const QString &key) const;

    void setData(const QString &key, const QVariant &data);
    void setDataList(const QString &key, const QVariantList &datalist);
    void setGlobalData(const QString &key, const QVariant &data);

    // Whole files. Each returns whether the file was put in place; when not,
    // the old file is left as it was.
    bool resetApconfig();
    bool resetProfile(int profile);
    bool copyProfile(int destprofile, int srcprofile);
    // Import: an empty `chosenPath` is a cancelled dialog and changes nothing.
    bool loadProfile(int profile, const QString &chosenPath);
    bool loadProfile(int profile, FileDialogs &dialogs);
    // Export: a byte copy of the profile's file, replacing `chosenPath`.
    bool saveProfile(int profile, const QString &chosenPath);
    // Export: the dialog proposes `profileName` with the profile extension,
    // which a name typed without one gets too.
    bool saveProfile(int profile, FileDialogs &dialogs, const QString &profileName = QString());

    // Writes what every store holds to its file.
    void syncAll();
    // After a file was written by other means: a store on `path` reads it anew.
    void reopenIfStore(const QString &path);

private:
    QSettings &readStore(bool isRecovery) const;
    bool replaceStore(std::unique_ptr<QSettings> &store, const QString &source);
    void reopen(std::unique_ptr<QSettings> &store);

    QString m_root;
    std::unique_ptr<QSettings> m_application;
    std::unique_ptr<QSettings> m_factory;
    std::array<std::unique_ptr<QSettings>, kProfileCount> m_profiles;
    int m_currentProfile = 0;
};
