#include "protocoltable.h"

namespace ProtocolTable {

namespace {

using D = Direction;
using F = Family;
using P = Pace;

} // namespace

const std::vector<Command> &commands()
{
    static const std::vector<Command> table = {
        // Both families prove the link with the 00H handshake.
        {0x00, F::F553, "hid553_00H_GetSecrecyCode", "challenge 4", D::Read, P::None, 0, "00"},
        {0x01, F::F553, "hid553_01H_SetReportRate", "rate", D::Set, P::Settle, 0, "01"},
        {0x02, F::F553, "hid553_02H_SetCurrentKeyMatrix", "matrix", D::Set, P::Settle, 0, "02"},
        {0x03, F::F553, "hid553_03H_SetKeyboardoption", "options 4", D::Set, P::Short, 0, "03"},
        {0x04, F::F553, "hid553_04H_SetGunData", "0, repetitions, x, y, slot", D::Set, P::Short, 0, "04"},
        {0x0B, F::F553, "hid553_0BH_SetCurrentDPI", "stage", D::Set, P::Settle, 0, "0B"},
        {0x0C, F::F553, "hid553_0CH_SetFixLEDColor", "red, green, blue", D::Set, P::Settle, 0, "0C"},
        {0x0D, F::F553, "hid553_0DH_SetRGBLedEffect", "mode, first, second", D::Set, P::Settle, 0, "0D"},
        {0x10, F::F553, "hid553_10H_SetLED8StageColor", "type, length (4 for type 2, else 36)", D::Set,
         P::Settle, 36, "10"},
        {0x11, F::F553, "hid553_11H_SetDPISet", "stage count, length 08", D::Set, P::Settle, 8, "11"},
        {0x12, F::F553, "hid553_12H_SetKeyMatrix", "matrix, length 40, rows 08", D::Set, P::Settle, 64, "12"},
        {0x13, F::F553, "hid553_13H_SetMacroKey", "macro slot, length 80", D::Set, P::Settle, 128, "13"},
        {0x83, F::F553, "hid553_83H_GetKeyboardoption", "", D::Read, P::None, 0, "83"},
        {0x8B, F::F553, "hid553_8BH_GetCurrentDPI", "", D::Read, P::None, 0, "8BH"},

        {0x00, F::F560, "hid560_00H_GetSecrecyCode", "challenge 4", D::Read, P::None, 0, "00"},
        {0x01, F::F560, "hid560_01H_SetKeyboardoption", "options 2", D::Set, P::Short, 0, "01"},
        {0x02, F::F560, "hid560_02H_SetCurrentProfile", "profile", D::Set, P::Short, 0, "02"},
        {0x03, F::F560, "hid560_03H_SetReportRate", "series 1..4, rate", D::Set, P::Settle, 0, "03"},
        {0x04, F::F560, "hid560_04H_SetCurrentDPI", "series 1..4, stage", D::Set, P::Settle, 0, "04"},
        {0x0C, F::F560, "hid560_0CH_setProfile", "profile, length 80", D::Set, P::Settle, 128, "0C"},
        {0x0D, F::F560, "hid560_0DH_SetKeyMatrix", "matrix, length 80", D::Set, P::Settle, 128, "0D"},
        {0x0F, F::F560, "hid560_0FH_SetMacroKey", "macro slot, length 80", D::Set, P::Settle, 128, "0F"},
        {0x81, F::F560, "hid560_81H_GetKeyboardoption", "", D::Read, P::None, 0, "81"},
        {0x82, F::F560, "hid560_82H_GetCurrentProfile", "", D::Read, P::None, 0, "82"},
        {0x84, F::F560, "hid560_84H_GetCurrentDPI", "series", D::Read, P::None, 0, "84"},
        {0x8C, F::F560, "hid560_8CH_readProfile", "profile", D::Read, P::None, 128, "8c"},
    };
    return table;
}

const Command *find(Family family, unsigned char code)
{
    for (const Command &c : commands()) {
        if (c.family == family && c.code == code)
            return &c;
    }
    return nullptr;
}

QString name(Family family, unsigned char code)
{
    if (const Command *c = find(family, code))
        return QString::fromLatin1(c->name);
    return QStringLiteral("hid%1_%2H")
        .arg(family == Family::F560 ? QStringLiteral("560") : QStringLiteral("553"))
        .arg(QStringLiteral("%1").arg(code, 2, 16, QLatin1Char('0')).toUpper());
}

} // namespace ProtocolTable
