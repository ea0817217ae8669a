#include "ctloptions.h"

#include <QRegularExpression>

namespace {

bool takeValue(const QStringList &words, int &i, const QString &name, QString &value, QString &error)
{
    const QString &word = words.at(i);
    const QString prefix = name + QLatin1Char('=');
    if (word.startsWith(prefix)) {
        value = word.mid(prefix.size());
    } else if (i + 1 < words.size()) {
        value = words.at(++i);
    } else {
        error = QStringLiteral("%1 needs a value").arg(name);
        return false;
    }
    if (value.isEmpty()) {
        error = QStringLiteral("%1 needs a value").arg(name);
        return false;
    }
    return true;
}

} // namespace

bool looksLikeNumber(const QString &word)
{
    static const QRegularExpression number(QStringLiteral("^-[0-9]+$"));
    return number.match(word).hasMatch();
}

OptionsResult parseOptions(const QStringList &words)
{
    OptionsResult result;
    CtlOptions &o = result.options;
    bool optionsEnded = false;
    for (int i = 0; i < words.size(); ++i) {
        const QString &word = words.at(i);
        const bool isOption = !optionsEnded && word.startsWith(QLatin1Char('-')) && !looksLikeNumber(word);
        if (!isOption) {
            if (o.command.isEmpty())
                o.command = word;
            else
                o.arguments.append(word);
            continue;
        }
        if (word == QLatin1String("--")) {
            optionsEnded = true;
        } else if (word == QLatin1String("--emulate")) {
            o.emulate = CtlOptions::Emulate::Configured;
        } else if (word.startsWith(QLatin1String("--emulate="))) {
            const QString family = word.mid(10);
            if (family == QLatin1String("553")) {
                o.emulate = CtlOptions::Emulate::Family553;
            } else if (family == QLatin1String("560")) {
                o.emulate = CtlOptions::Emulate::Family560;
            } else {
                result.error = QStringLiteral("--emulate takes 553 or 560, not '%1'").arg(family);
                return result;
            }
        } else if (word == QLatin1String("--trace")) {
            o.trace = true;
        } else if (word == QLatin1String("--trace=json")) {
            o.trace = true;
            o.traceJson = true;
        } else if (word == QLatin1String("--fault") || word.startsWith(QLatin1String("--fault="))) {
            QString spec;
            if (!takeValue(words, i, QStringLiteral("--fault"), spec, result.error))
                return result;
            CtlFault fault;
            result.error = EmulatorFault::parse(spec, fault);
            if (!result.error.isEmpty())
                return result;
            o.faults.append(fault);
        } else if (word == QLatin1String("--json")) {
            o.json = true;
        } else if (word == QLatin1String("--help") || word == QLatin1String("-h")) {
            o.help = true;
        } else if (word == QLatin1String("--modules") || word.startsWith(QLatin1String("--modules="))) {
            if (!takeValue(words, i, QStringLiteral("--modules"), o.modulesDir, result.error))
                return result;
        } else if (word == QLatin1String("--dev-no-pauses")) {
            o.devNoPauses = true;
        } else if (word == QLatin1String("--dev-pause-total")) {
            o.devPauseTotal = true;
        } else if (word == QLatin1String("--dev-mouse-report")) {
            o.devMouseReport = true;
        } else if (o.command.isEmpty()) {
            result.error = QStringLiteral("unknown option '%1'").arg(word);
            return result;
        } else {
            // The command's own option (raw --bulk, --recv); it judges it.
            o.arguments.append(word);
        }
    }
    if (o.devNoPauses && !o.emulated())
        result.error = QStringLiteral("--dev-no-pauses needs --emulate: a real mouse needs its pauses");
    if (!o.faults.isEmpty() && !o.emulated())
        result.error = QStringLiteral("--fault needs --emulate: faults are given to the emulated mouse");
    if (o.devMouseReport && !o.emulated())
        result.error = QStringLiteral("--dev-mouse-report needs --emulate");
    return result;
}
