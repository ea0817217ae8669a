#include "scenetypes.h"

#include "dpirules.h"
#include "functioncodes.h"
#include "keycodestring.h"
#include "lighteffects.h"
#include "macroencoder.h"
#include "reportrates.h"

#include <QQmlEngine>

void registerSceneTypes()
{
    static const bool registered = [] {
        qmlRegisterType<KeyCodeString>("KX20", 1, 0, "KeyCodeString");
        qmlRegisterType<LightEffects>("KX20", 1, 0, "LightEffects");
        qmlRegisterType<ReportRates>("KX20", 1, 0, "ReportRates");
        // Stateless: one shared instance each.
        qmlRegisterSingletonType<FunctionCodes>("KX20", 1, 0, "FunctionCodes",
                                                [](QQmlEngine *, QJSEngine *) -> QObject * {
                                                    return new FunctionCodes;
                                                });
        qmlRegisterSingletonType<DpiRules>("KX20", 1, 0, "DpiRules",
                                           [](QQmlEngine *, QJSEngine *) -> QObject * {
                                               return new DpiRules;
                                           });
        qmlRegisterSingletonType<MacroEncoder>("KX20", 1, 0, "MacroEncoder",
                                               [](QQmlEngine *, QJSEngine *) -> QObject * {
                                                   return new MacroEncoder;
                                               });
        return true;
    }();
    Q_UNUSED(registered);
}
