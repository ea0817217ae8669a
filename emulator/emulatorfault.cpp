#include "emulatorfault.h"

namespace {

struct CallName
{
    const char *name;
    HidCall call;
};

const CallName kCallNames[] = {
    {"enumerate", HidCall::Enumerate},
    {"open", HidCall::Open},
    {"nonblocking", HidCall::SetNonblocking},
    {"send-feature", HidCall::SendFeature},
    {"get-feature", HidCall::GetFeature},
    {"write", HidCall::Write},
    {"read", HidCall::Read},
    {"read-timeout", HidCall::ReadTimeout},
    {"close", HidCall::Close},
};

} // namespace

QStringList EmulatorFault::callNames()
{
    QStringList names;
    for (const CallName &c : kCallNames)
        names.append(QLatin1String(c.name));
    return names;
}

QString EmulatorFault::parse(const QString &given, EmulatorFault &fault)
{
    const QString what = given.section(QLatin1Char('@'), 0, 0);
    const bool hasIndex = given.contains(QLatin1Char('@'));
    fault.at = 1;
    if (hasIndex) {
        bool ok = false;
        fault.at = given.section(QLatin1Char('@'), 1).toInt(&ok);
        if (!ok || fault.at < 1)
            return QStringLiteral("--fault '%1': the call number after @ counts from 1").arg(given);
    }
    if (what == QLatin1String("unplug") || what == QLatin1String("silent")) {
        fault.kind = what == QLatin1String("unplug") ? Kind::Unplug : Kind::Silent;
        if (!hasIndex && fault.kind == Kind::Unplug)
            return QStringLiteral("--fault '%1': say at which HID call, as unplug@N").arg(given);
        return QString();
    }
    for (const CallName &c : kCallNames) {
        if (what == QLatin1String(c.name)) {
            fault.kind = Kind::FailCall;
            fault.call = c.call;
            return QString();
        }
    }
    return QStringLiteral("--fault '%1': not unplug@N, silent[@N] or one of %2 with @N")
        .arg(given, callNames().join(QStringLiteral(", ")));
}

void EmulatorFault::applyTo(EmulatorBackend &mouse) const
{
    switch (kind) {
    case Kind::Unplug:
        mouse.unplugAtCall(at);
        break;
    case Kind::Silent:
        mouse.stopAnsweringAtCall(at);
        break;
    case Kind::FailCall:
        mouse.failCall(call, at);
        break;
    }
}
