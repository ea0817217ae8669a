#pragma once

#include "mousemodel.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <array>
#include <optional>

struct CtlOptions;

// What kx20ctl can do. Parsing and checking live apart from the device, so
// that every word a user types is judged before the first byte goes out.
enum class CommandId {
    List,
    Info,
    Rate,
    Stage,
    Dpi,
    Light,
    Colors,
    Gun,
    Buttons,
    Apply,
    Profile,
    Slots,
    SendMacro,
    ReadProfile,
    Raw,
    Listen,
    Help
};

struct CommandInfo
{
    CommandId id;
    const char *name;
    const char *synopsis;
    const char *summary;
    const char *details;
};

namespace CtlCommands {

constexpr int kStages = 8;
constexpr int kMaxColours = 12;
constexpr int kGunSlots = 3;
constexpr int kProfiles = 10;
constexpr int kImages = 5;
constexpr int kBulkBytes = 128;
constexpr int kButtons = 16;
// Button slots whose macro the mouse can store (its twelve macro slots).
constexpr int kMacroSlots = 12;
// When the application file sets no upper limit, no sensor goes this far.
constexpr int kDpiSanityMax = 65535;
constexpr int kMaxSpeed = 4;
constexpr int kMaxBrightness = 4;
constexpr int kMaxGunY = 64;
constexpr int kColoursInImage = 8;
constexpr int kGunRecords = 6;
constexpr int kGunPeriodIndex = 2;

// The command table and help texts (ctlhelp.cpp), the parsing of typed words
// (ctlparse.cpp), the checks against the configured mouse (ctlchecks.cpp),
// the plans of what a profile sends (ctlplans.cpp) and the hex output
// (ctlhex.cpp).

const QList<CommandInfo> &commands();
const CommandInfo *find(const QString &name);

// The tool's help, and one command's.
QString toolHelp();
QString commandHelp(const CommandInfo &command);

struct Rgb
{
    int r = 0;
    int g = 0;
    int b = 0;
};

// profile: what the command does; without a PROFILE it lists them.
enum class ProfileAction { List, Switch, Link, Unlink };

struct RawRequest
{
    uchar code = 0;
    std::array<uchar, 6> params{};
    QByteArray bulk;
    // Read the answer and this many bulk bytes instead of sending bulk data.
    std::optional<int> receive;
};

// One command as typed, its words checked for form and range. What depends
// on the configured mouse is checked by checkAgainstModel.
struct CommandRequest
{
    CommandId id = CommandId::Help;
    QString helpTopic;
    int rateHz = 0;
    int stage = 0;
    int dpiCount = 0;
    // The stages given; fewer than eight: the others keep their stored values.
    QList<int> dpiValues;
    int effect = 0;
    // light: the effect as named, resolved against the configured mouse.
    QString effectName;
    // light without arguments: list the effects.
    bool listEffects = false;
    int speed = 0;
    int brightness = 0;
    QList<Rgb> colours;
    int gunSlot = 0;
    int gunRepeat = 0;
    int gunX = 0;
    int gunY = 0;
    // buttons, apply, slots: the profile number 0..9; none = the profile in use.
    // profile: the profile to switch to or to link.
    std::optional<int> profile;
    ProfileAction profileAction = ProfileAction::List;
    // profile --link/--unlink: the application's name as typed.
    QString applicationName;
    // send-macro: the macro's name and the button slot it is sent for.
    QString macroName;
    int macroSlot = 0;
    int image = 0;
    RawRequest raw;
};

struct RequestResult
{
    CommandRequest request;
    QString error; // a usage error; empty when the words made sense
};

RequestResult parseRequest(const CtlOptions &options);

// The configured mouse and the values of the application file that commands
// check their numbers against.
struct ConfigSnapshot
{
    MouseModel model;
    QString sensorType;
    std::optional<int> minDpi;
    std::optional<int> maxDpi;
    std::optional<int> dpiBase;
    // "mouse/profileNo" as stored; checked when a command needs it.
    QVariant profileNo;
    QVariant selectGun;
    // The names of the mouse's effects in its language, by effect index.
    QStringList effectNames;
};

// A number of the application file; nothing when absent or not a number.
std::optional<int> configInt(const QVariant &value);

// Effects the lighting page offers this mouse: 0 .. effectCount - 1.
int effectCount(const MouseModel &model);
// Names the effects as the lighting page does, from the page's texts in the
// configured language; a text the language lacks is the built-in one.
QStringList effectNames(const MouseModel &model, const QStringList &languageTexts);
// light: the lines that list the effects of the configured mouse.
QStringList effectListing(const ConfigSnapshot &config);
// light: turns an effect given by name into its index. Empty when it is one
// of the mouse's effects; otherwise a usage error.
QString resolveEffect(CommandRequest &request, const ConfigSnapshot &config);
// dpi with fewer than eight values: the other stages take the values
// stored in the profile in use. Empty when that gave eight values.
QString completeDpi(CommandRequest &request, const QVariantList &stored, const QString &fileName);

// Empty when the request suits the configured mouse; otherwise a usage error.
QString checkAgainstModel(const CommandRequest &request, const ConfigSnapshot &config);
// The DPI stage count and the eight values against the sensor and its limits.
QString checkDpi(int dpiCount, const QList<int> &values, const ConfigSnapshot &config);

// The profile number a command addresses: the one it names, or the profile
// in use. Empty error when it is a profile number.
struct ProfileChoice
{
    int profile = 0;
    QString error;
};
ProfileChoice chooseProfile(const std::optional<int> &named, const QVariant &profileNo);

// What a profile file holds that a command sends, as read from the file.
struct ProfileData
{
    QString name; // file name, for messages
    std::array<QVariantList, kButtons> keyMatrix;
    // "mouseMacroKey/" + slot: the macro a slot runs.
    std::array<QString, kButtons> macroNames;
    QVariant reportRate;
    QVariant dpiCount;
    QVariant currentDpiCount;
    QVariantList dpiValueArray;
    QVariantList lightValue;
    QVariantList colorValue;
    QVariantList fixColor;
};

// Gun records of the gun library by record index, for the fire periods.
using GunRecords = QList<QVariantList>;

struct ButtonsPlan
{
    QVariantList src64;
    // Fire periods of the records chosen for gun slots 1..3; sent only with a
    // gun button.
    QVariantList firePeriods;
    bool hasGunButton = false;
};

// The stored lighting, checked; what goes out for it is decided by
// LightingRules, as for the program's Save.
struct LightPlan
{
    int effect = 0;
    int speed = 0;
    int brightness = 0;
    QVariantList colours;
    // Checked only where the mouse takes the single colour.
    QVariantList fixColour;
};

struct ApplyPlan
{
    ButtonsPlan buttons;
    int rateIndex = 0;
    int dpiCount = 0;
    QList<int> dpiValues;
    LightPlan light;
};

// Each returns nothing and sets `error` (a file error) when the stored values
// cannot be sent as they are.
std::optional<ButtonsPlan> planButtons(const ProfileData &profile, const ConfigSnapshot &config,
                                       const GunRecords &guns, QString &error);
std::optional<ApplyPlan> planApply(const ProfileData &profile, const ConfigSnapshot &config,
                                   const GunRecords &guns, QString &error);

// Colours as the scene's list: red, green, blue each.
QVariantList colourList(const QList<Rgb> &colours);

// The device link's name of command `code` of the family, as the trace shows
// it: "hid553_01H_SetReportRate"; a code the family does not know is
// "hid560_5AH" alone.
QString commandName(bool is560, uchar code);

QString hexBytes(const uchar *bytes, int count);
QString hexBytes(const QByteArray &bytes);
// Lines of sixteen bytes.
QStringList hexLines(const uchar *bytes, int count);

} // namespace CtlCommands
