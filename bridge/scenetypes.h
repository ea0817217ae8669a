#pragma once

#include "dpirules.h"
#include "functioncodes.h"
#include "keycodestring.h"
#include "lighteffects.h"
#include "macroencoder.h"
#include "reportrates.h"

#include <QtQml/qqml.h>

// The plain tables the scene shares with kx20ctl (key texts, report rates,
// lighting effects, button functions, the macro encoding), declared to QML
// as the module KX20. They live in kx20_bridgecore, which needs only Qt Core;
// these declarations name them from here, so the build also describes them
// to Qt's QML tools (qmllint, the ahead-of-time compiler).

struct KeyCodeStringForeign
{
    Q_GADGET
    QML_FOREIGN(KeyCodeString)
    QML_NAMED_ELEMENT(KeyCodeString)
};

struct LightEffectsForeign
{
    Q_GADGET
    QML_FOREIGN(LightEffects)
    QML_NAMED_ELEMENT(LightEffects)
};

struct ReportRatesForeign
{
    Q_GADGET
    QML_FOREIGN(ReportRates)
    QML_NAMED_ELEMENT(ReportRates)
};

// Stateless: one shared instance each.
struct FunctionCodesForeign
{
    Q_GADGET
    QML_FOREIGN(FunctionCodes)
    QML_NAMED_ELEMENT(FunctionCodes)
    QML_SINGLETON
};

struct DpiRulesForeign
{
    Q_GADGET
    QML_FOREIGN(DpiRules)
    QML_NAMED_ELEMENT(DpiRules)
    QML_SINGLETON
};

struct MacroEncoderForeign
{
    Q_GADGET
    QML_FOREIGN(MacroEncoder)
    QML_NAMED_ELEMENT(MacroEncoder)
    QML_SINGLETON
};

// Makes the types available as `import KX20 1.0`. Safe to call more than
// once.
void registerSceneTypes();
