#pragma once

#include <QList>
#include <QVariantList>

#include <array>
#include <optional>

// A device key matrix: sixteen button entries of four bytes (type, P1, P2, P3).
using KeyMatrix = std::array<uchar, 64>;

struct KeyEntry
{
    uchar type = 0;
    uchar p1 = 0;
    uchar p2 = 0;
    uchar p3 = 0;

    bool operator==(const KeyEntry &other) const
    {
        return type == other.type && p1 == other.p1 && p2 == other.p2 && p3 == other.p3;
    }
};

// The button page describes a button as a category and three parameters; the
// mouse wants an entry type and three parameters. These functions make the
// device form and the extra matrices that gun buttons need.
namespace ButtonEncoding {

constexpr int kButtons = 16;
constexpr int kPageValues = 4 * kButtons;
constexpr uchar kGunType = 0x08;

// One page entry (category c0, parameters c1..c3; low bytes kept) in device form.
KeyEntry translate(int c0, int c1, int c2, int c3, bool family560);

KeyEntry entryAt(const KeyMatrix &matrix, int button);
void setEntry(KeyMatrix &matrix, int button, const KeyEntry &entry);

// The user matrix from the page's 64 values (buttons 0..15, four values each;
// missing values count as 0).
KeyMatrix userMatrix(const QVariantList &src64, bool family560);
// A matrix already in device form, one list of four values per button
// (missing buttons and values count as 0).
KeyMatrix deviceMatrix(const QList<QVariantList> &entries);

bool hasGunButton(const KeyMatrix &matrix);

struct GunMatrices
{
    KeyMatrix user{};
    std::array<KeyMatrix, 3> gun{};
    // 560 family: the new byte 2 of profile image 0, when a gun button chose
    // option 1 to 3.
    std::optional<uchar> gunOptionByte;
};

// The user matrix with its gun buttons resolved and the three gun matrices
// built on the factory matrix; `firePeriods` holds the fire periods of gun
// slots 1..3.
GunMatrices gunMatrices(const KeyMatrix &user, const KeyMatrix &factory, const QVariantList &firePeriods,
                        bool family560);

} // namespace ButtonEncoding
