#include "profileimages.h"

ProfileImage &ProfileImages::image(int n)
{
    Q_ASSERT(isValidIndex(n));
    return m_images[static_cast<std::size_t>(n)];
}

const ProfileImage &ProfileImages::image(int n) const
{
    Q_ASSERT(isValidIndex(n));
    return m_images[static_cast<std::size_t>(n)];
}

bool ProfileImages::isRead(int n) const
{
    return isValidIndex(n) && m_read[static_cast<std::size_t>(n)];
}

void ProfileImages::storeRead(int n, const ProfileImage &bytes)
{
    if (!isValidIndex(n))
        return;
    const auto i = static_cast<std::size_t>(n);
    m_images[i] = bytes;
    m_read[i] = true;
    m_onMouse[i] = bytes;
    m_known[i] = true;
}

void ProfileImages::storeWritten(int n)
{
    if (!isValidIndex(n))
        return;
    const auto i = static_cast<std::size_t>(n);
    m_onMouse[i] = m_images[i];
    m_known[i] = true;
}

bool ProfileImages::matchesMouse(int n) const
{
    if (!isValidIndex(n))
        return false;
    const auto i = static_cast<std::size_t>(n);
    return m_known[i] && m_onMouse[i] == m_images[i];
}

void ProfileImages::resetForConnection()
{
    m_read.fill(false);
    m_known.fill(false);
}
