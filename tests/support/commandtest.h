#pragma once

#include "devicelinkfixture.h"

#include <QObject>

#include <functional>
#include <memory>

// Base of the command-set tests: each test runs against a freshly connected
// emulated mouse, once in the clear and once scrambled, and ends with the
// mouse's conformance check.
class CommandTest : public QObject
{
    Q_OBJECT

protected:
    CommandTest(ChipFamily family, int reportLength);

    Hid_Thread &hid() { return m_link->hid; }
    EmulatedMouse &mouse() { return *m_mouse; }
    DeviceLinkFixture &link() { return *m_link; }
    bool encoded() const { return m_encoded; }

    // The requests on the wire are exactly these reports (scrambled when the
    // mouse expects it), and the mouse understood them as such.
    void expectRequests(const QList<QByteArray> &reports);
    // Pauses: the settle pair around `bulkReports` output reports.
    static QList<int> settled(int bulkReports = 0);
    // Calls `command` with the link already taken: it must give up with its
    // failure line and touch nothing.
    void expectBusyFailure(const char *line, const std::function<void()> &command);

private slots:
    void initTestCase_data();
    void init();
    void cleanup();

private:
    ChipFamily m_family;
    int m_reportLength;
    bool m_encoded = false;
    std::unique_ptr<DeviceLinkFixture> m_link;
    EmulatedMouse *m_mouse = nullptr;
};
