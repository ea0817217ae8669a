#pragma once

#include <QLoggingCategory>

// The program's own notes about what the operating system does not provide
// (no device change monitor, no system-wide capture).
// QT_LOGGING_RULES="kx20.platform.debug=false" silences them.
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
