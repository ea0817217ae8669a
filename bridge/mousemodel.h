#pragma once

#include <QString>

class QSettings;

// The configured mouse: its chip family and variant flags. The family is not
// probed; "560" selects the 560 commands and every other text the 553 ones.
struct MouseModel
{
    QString icType;
    bool isColorful = false;
    bool isGun = false;
    bool is55328 = false;
    bool is571 = false;

    bool is560() const;

    // Reads "mouse/icType" and the four flags of the application file; a
    // missing key gives false or the empty text.
    static MouseModel fromConfig(const QSettings &apConfig);
};
