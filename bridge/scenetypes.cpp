#include "scenetypes.h"

#include "keycodestring.h"
#include "lighteffects.h"
#include "reportrates.h"

#include <QQmlEngine>

void registerSceneTypes()
{
    static const bool registered = [] {
        qmlRegisterType<KeyCodeString>("KX20", 1, 0, "KeyCodeString");
        qmlRegisterType<LightEffects>("KX20", 1, 0, "LightEffects");
        qmlRegisterType<ReportRates>("KX20", 1, 0, "ReportRates");
        return true;
    }();
    Q_UNUSED(registered);
}
