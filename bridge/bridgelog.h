#pragma once

#include <QLoggingCategory>

// The program's own notes from the bridge (scene load errors, commands it
// declines to send). The fixed diagnostics ("setCursorSpeed Failed", ...)
// stay on the plain debug stream.
// QT_LOGGING_RULES="kx20.bridge.debug=false" silences the notes.
Q_DECLARE_LOGGING_CATEGORY(lcBridge)
