// kx20ctl: the command-line companion of kx20-config.
#include "ctlrunner.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    CtlRunner::installMessageFilter();
    return CtlRunner(stdout, stderr).run(QCoreApplication::arguments().mid(1));
}
