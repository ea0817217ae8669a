#pragma once

#include <QString>

// Whether the program can keep the user's settings: installed where the user
// cannot write, every change would silently be lost at exit.
namespace SettingsFolder {

// Empty when files can be written in `modulesRoot`/setting; otherwise a
// sentence for the user saying which folder and what it means.
QString problem(const QString &modulesRoot);

} // namespace SettingsFolder
