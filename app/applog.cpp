#include "applog.h"

Q_LOGGING_CATEGORY(lcApp, "kx20.app")
