#include "buttonencoding.h"

#include "variantbytes.h"

namespace ButtonEncoding {

namespace {

uchar low(int value)
{
    return static_cast<uchar>(value & 0xFF);
}

// Page categories.
constexpr uchar kMouseFunction = 0x00;
constexpr uchar kFire = 0x01;
constexpr uchar kKeyCombination = 0x02;
constexpr uchar kMedia = 0x03;
constexpr uchar kMacro = 0x04;
constexpr uchar kDpi = 0x05;
constexpr uchar kWindow = 0x06;
constexpr uchar kShortcut = 0x07;
constexpr uchar kGun = 0x08;
constexpr uchar kDisabled = 0xFF;

// The DPI function whose entry differs between the families.
constexpr uchar kDpiLoop = 4;

// P2 of a gun entry in (G1, G2, G3) for gun options 1, 2, 3.
constexpr uchar kGunSteps560[3][3] = {{0, 0, 0}, {3, 0, 0}, {3, 3, 0}};
constexpr uchar kGunSteps553[3][3] = {{0, 0, 0}, {2, 0, 0}, {2, 3, 0}};
// Byte 2 of image 0 for gun options 1, 2, 3.
constexpr uchar kGunOptionBytes[3] = {0x07, 0x0F, 0x1F};

} // namespace

KeyEntry translate(int c0, int c1, int c2, int c3, bool family560)
{
    KeyEntry e{low(c0), low(c1), low(c2), low(c3)};
    switch (e.type) {
    case kMouseFunction:
        if (e.p2 == 0x1E && e.p3 == 0x02) {
            e.type = 0x0A;
        } else if (e.p2 == 0xF0 && e.p3 == 0xF0) {
            e = KeyEntry{0x0B, 0, 0, 0};
        } else {
            e.type = 0x01;
        }
        break;
    case kFire:
        e.type = 0x0A;
        break;
    case kKeyCombination:
    case kWindow:
    case kShortcut:
        e.type = 0x00;
        break;
    case kMedia:
        e.type = 0x03;
        break;
    case kMacro:
        // The page counts macro slots from 0, the mouse from 1.
        e.type = 0x09;
        e.p2 = low(c2 + 1);
        break;
    case kDpi:
        e.type = 0x07;
        if (e.p2 == kDpiLoop)
            e = family560 ? KeyEntry{0x0B, 0, 1, 1} : KeyEntry{0x07, 0, 4, 1};
        break;
    case kGun:
        e.type = kGunType;
        break;
    case kDisabled:
        e.type = 0x04;
        break;
    default:
        break;
    }
    // These keys are consumer-page keys, whatever category offered them.
    if ((e.p2 == 0x21 || e.p2 == 0x23) && e.p3 == 0x02)
        e.type = 0x03;
    if (e.p2 == 0x94 && e.p3 == 0x01)
        e.type = 0x03;
    return e;
}

KeyEntry entryAt(const KeyMatrix &matrix, int button)
{
    const auto i = static_cast<std::size_t>(4 * button);
    return KeyEntry{matrix[i], matrix[i + 1], matrix[i + 2], matrix[i + 3]};
}

void setEntry(KeyMatrix &matrix, int button, const KeyEntry &entry)
{
    const auto i = static_cast<std::size_t>(4 * button);
    matrix[i] = entry.type;
    matrix[i + 1] = entry.p1;
    matrix[i + 2] = entry.p2;
    matrix[i + 3] = entry.p3;
}

KeyMatrix userMatrix(const QVariantList &src64, bool family560)
{
    KeyMatrix matrix{};
    for (int button = 0; button < kButtons; ++button) {
        const int i = 4 * button;
        const KeyEntry e = translate(VariantBytes::intByteAt(src64, i), VariantBytes::intByteAt(src64, i + 1),
                                     VariantBytes::intByteAt(src64, i + 2),
                                     VariantBytes::intByteAt(src64, i + 3), family560);
        setEntry(matrix, button, e);
    }
    return matrix;
}

KeyMatrix deviceMatrix(const QList<QVariantList> &entries)
{
    KeyMatrix matrix{};
    for (int button = 0; button < kButtons && button < entries.size(); ++button) {
        const QVariantList &values = entries.at(button);
        setEntry(matrix, button,
                 KeyEntry{VariantBytes::intByteAt(values, 0), VariantBytes::intByteAt(values, 1),
                          VariantBytes::intByteAt(values, 2), VariantBytes::intByteAt(values, 3)});
    }
    return matrix;
}

bool hasGunButton(const KeyMatrix &matrix)
{
    for (int button = 0; button < kButtons; ++button) {
        if (entryAt(matrix, button).type == kGunType)
            return true;
    }
    return false;
}

GunMatrices gunMatrices(const KeyMatrix &user, const KeyMatrix &factory, const QVariantList &firePeriods,
                        bool family560)
{
    GunMatrices result;
    result.user = user;
    result.gun.fill(factory);

    for (int k = 0; k < kButtons; ++k) {
        KeyEntry u = entryAt(result.user, k);
        if (u.type != kGunType)
            continue;
        const int option = u.p2;
        const bool known = option >= 1 && option <= 3;
        std::array<KeyEntry, 3> g;
        for (int n = 0; n < 3; ++n) {
            g[static_cast<std::size_t>(n)] = entryAt(result.gun[static_cast<std::size_t>(n)], k);
            g[static_cast<std::size_t>(n)].type = kGunType;
        }
        if (family560) {
            if (known) {
                u.p2 = 1;
                for (int n = 0; n < 3; ++n)
                    g[static_cast<std::size_t>(n)].p2 = kGunSteps560[option - 1][n];
                result.gunOptionByte = kGunOptionBytes[option - 1];
            }
        } else {
            if (known) {
                u.p3 = 1;
                for (int n = 0; n < 3; ++n)
                    g[static_cast<std::size_t>(n)].p3 = kGunSteps553[option - 1][n];
            }
            u.p1 = 0;
            u.p2 = 1;
            for (KeyEntry &e : g) {
                e.p1 = 0;
                e.p2 = 1;
            }
        }
        setEntry(result.user, k, u);
        for (int n = 0; n < 3; ++n)
            setEntry(result.gun[static_cast<std::size_t>(n)], k, g[static_cast<std::size_t>(n)]);
    }

    // Entry 0 of each gun matrix names the matrix and its fire period.
    for (int n = 0; n < 3; ++n)
        setEntry(result.gun[static_cast<std::size_t>(n)], 0,
                 KeyEntry{0x0B, static_cast<uchar>(n), VariantBytes::uintByteAt(firePeriods, n), 0});
    return result;
}

} // namespace ButtonEncoding
