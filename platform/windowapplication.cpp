#include "windowapplication.h"

#include <algorithm>
#include <tuple>

QList<WindowApplication> distinctApplications(const QList<WindowApplication> &found)
{
    QList<WindowApplication> applications;
    for (const WindowApplication &application : found) {
        if (!application.isEmpty() && !applications.contains(application))
            applications << application;
    }
    std::sort(applications.begin(), applications.end(),
              [](const WindowApplication &a, const WindowApplication &b) {
                  const int byName = a.displayName().compare(b.displayName(), Qt::CaseInsensitive);
                  if (byName != 0)
                      return byName < 0;
                  return std::tie(a.windowClass, a.executable, a.instanceName)
                         < std::tie(b.windowClass, b.executable, b.instanceName);
              });
    return applications;
}
