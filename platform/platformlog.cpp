#include "platformlog.h"

Q_LOGGING_CATEGORY(lcPlatform, "kx20.platform")
