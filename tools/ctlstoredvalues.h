#pragma once

#include "ctlcommands.h"

#include <QList>
#include <QVariant>
#include <QVariantList>

#include <optional>

// The values of the settings files as kx20ctl's checks and plans read them:
// text or numbers as the files hold them, shown back in messages as stored.
namespace CtlCommands {

// The list's values as whole numbers within [low, high]; nothing when one is not.
std::optional<QList<int>> intList(const QVariantList &values, int low, int high);
// A number within [low, high]; nothing when absent, no number or outside.
std::optional<int> storedInt(const QVariant &value, int low, int high);
// A value as a message shows it: quoted, or "missing".
QString shown(const QVariant &value);
QString shownList(const QVariantList &values);
QVariantList toVariants(const QList<int> &values);
// Fire periods of the gun records chosen for slots 1..3 ("mouse/selectGun";
// the gun page's reset choice 0, 1, 2 when none is stored).
std::optional<QVariantList> firePeriods(const QVariant &selectGun, const GunRecords &guns, QString &error);

} // namespace CtlCommands
