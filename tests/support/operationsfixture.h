#pragma once

#include "devicelinkfixture.h"
#include "mouseoperations.h"

#include <QSettings>
#include <QTemporaryDir>

#include <memory>

// The device operations on a link to a freshly connected emulated mouse, with
// a current profile file in a temporary folder.
struct OperationsFixture
{
    DeviceLinkFixture link;
    EmulatedMouse *mouse = nullptr;
    MouseOperations ops;
    QTemporaryDir dir;
    std::unique_ptr<QSettings> profile;

    OperationsFixture(ChipFamily family, int reportLength, const MouseModel &model);

    // Gives the mouse's images 0..4 recognisable contents and reads them back
    // through the operations, then forgets the traffic.
    void readImages();
    // The factory matrix of the profile file: button i = (1, i, 0xF0 + i, 2).
    void storeFactoryMatrix();
    // (code, first parameter) of every command the mouse understood, in order.
    QList<QPair<int, int>> commands() const;
    // What the profile file holds on disk under `key`.
    QVariant storedOnDisk(const QString &key);
};

MouseModel model560(bool isGun = false, bool isColorful = false, bool is571 = false);
MouseModel model553(bool isGun = false, bool isColorful = false, bool is571 = false, bool is55328 = false);
// Image n as the fixture gives it to the mouse.
QByteArray sampleImage(int n);
QByteArray bytes(std::initializer_list<int> values);
