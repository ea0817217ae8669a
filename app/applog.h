#pragma once

#include <QLoggingCategory>

// The program's own notes from start-up, the single-instance guard, the
// window, the tray and the input capture. The fixed diagnostics ("Device
// Connect", "Device DisConnect", ...) stay on the plain debug stream.
// QT_LOGGING_RULES="kx20.app.debug=false" silences the notes.
Q_DECLARE_LOGGING_CATEGORY(lcApp)
