#include "bridgelog.h"

Q_LOGGING_CATEGORY(lcBridge, "kx20.bridge")
