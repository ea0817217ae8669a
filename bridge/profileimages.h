#pragma once

#include <QtGlobal>

#include <array>

// One 128-byte on-board profile of a 560-family mouse, as exchanged whole with
// the mouse.
using ProfileImage = std::array<uchar, 128>;

// Where the settings we change live inside an image; every other byte goes
// back to the mouse as it was read.
namespace ImageBytes {
constexpr int kGunOption = 2;         // image 0: which gun matrices are in use
constexpr int kColourfulColours = 24; // image 0: eight RGB colours (24..47)
constexpr int kGunFlags = 65;         // bit 2 cleared when gun data is sent
constexpr int kLighting = 71;         // lighting mode, first and second value (71..73)
constexpr int kGunMark = 78;          // 0xF0 when gun data is present
constexpr int kGunValues = 79;        // repetitions, X, Y (79..81)
constexpr int kHighRangeMask = 82;    // sensor 3389: stages at 12800 DPI or more (82, 83)
constexpr int kDpiStages = 84;        // register byte of stages 1..8 (84..91)
constexpr int kDpiStagesCopy = 92;    // the same eight bytes again (92..99)
constexpr int kStageMask = 100;       // enabled stages
constexpr int kPlainColours = 104;    // image 1: eight RGB colours (104..127)
constexpr int kColourBytes = 24;
} // namespace ImageBytes

// The five device-profile images of a 560-family mouse. An image is only
// worth sending back after it has been read from the mouse since the current
// connection began: otherwise we would overwrite the mouse's own profile with
// whatever we happen to hold.
class ProfileImages
{
public:
    static constexpr int kCount = 5;
    static constexpr int kSize = 128;

    static bool isValidIndex(int n) { return n >= 0 && n < kCount; }

    // `n` must be a valid index.
    ProfileImage &image(int n);
    const ProfileImage &image(int n) const;

    // Read from the mouse since the connection began.
    bool isRead(int n) const;
    // A successful read: the image takes the mouse's bytes.
    void storeRead(int n, const ProfileImage &bytes);
    // A successful write of image `n` as it stands: the mouse now holds it.
    void storeWritten(int n);
    // The image holds exactly what the mouse was last seen to hold (read
    // from it or written to it in this connection): sending it again would
    // change nothing.
    bool matchesMouse(int n) const;
    // A new connection: nothing is known to match the mouse any more. The
    // bytes stay, so that changes can still be patched in.
    void resetForConnection();

private:
    std::array<ProfileImage, kCount> m_images{};
    std::array<bool, kCount> m_read{};
    // What the mouse holds, where this connection has seen it.
    std::array<ProfileImage, kCount> m_onMouse{};
    std::array<bool, kCount> m_known{};
};
