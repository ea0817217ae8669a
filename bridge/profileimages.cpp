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
    m_images[static_cast<std::size_t>(n)] = bytes;
    m_read[static_cast<std::size_t>(n)] = true;
}

void ProfileImages::resetForConnection()
{
    m_read.fill(false);
}
