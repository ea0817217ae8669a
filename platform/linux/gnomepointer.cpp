// GLib's headers first: they use names that Qt's keywords would replace.
#include <gio/gio.h>

#include "gnomepointer.h"

#include <cmath>

namespace {

constexpr const char *kSchema = "org.gnome.desktop.peripherals.mouse";
constexpr const char *kSpeed = "speed";
constexpr const char *kDoubleClick = "double-click";

} // namespace

struct GnomePointer::Impl
{
    GSettings *settings = nullptr;
    bool hasSpeed = false;
    bool hasDoubleClick = false;
};

GnomePointer::GnomePointer()
    : d(std::make_unique<Impl>())
{
    // g_settings_new() aborts the process on a missing schema: look first.
    GSettingsSchemaSource *source = g_settings_schema_source_get_default();
    GSettingsSchema *schema = source ? g_settings_schema_source_lookup(source, kSchema, TRUE) : nullptr;
    if (!schema)
        return;
    d->hasSpeed = g_settings_schema_has_key(schema, kSpeed);
    d->hasDoubleClick = g_settings_schema_has_key(schema, kDoubleClick);
    d->settings = g_settings_new_full(schema, nullptr, nullptr);
    g_settings_schema_unref(schema);
}

GnomePointer::~GnomePointer()
{
    if (d->settings) {
        g_settings_sync();
        g_object_unref(d->settings);
    }
}

bool GnomePointer::hasSpeed() const
{
    return d->settings && d->hasSpeed;
}

bool GnomePointer::hasDoubleClick() const
{
    return d->settings && d->hasDoubleClick;
}

bool GnomePointer::setSpeed(double acceleration)
{
    if (!hasSpeed() || !g_settings_set_double(d->settings, kSpeed, acceleration))
        return false;
    g_settings_sync();
    return std::abs(speed() - acceleration) < 1e-6;
}

bool GnomePointer::setDoubleClickMs(int milliseconds)
{
    if (!hasDoubleClick() || !g_settings_set_int(d->settings, kDoubleClick, milliseconds))
        return false;
    g_settings_sync();
    return doubleClickMs() == milliseconds;
}

double GnomePointer::speed() const
{
    return hasSpeed() ? g_settings_get_double(d->settings, kSpeed) : std::nan("");
}

int GnomePointer::doubleClickMs() const
{
    return hasDoubleClick() ? g_settings_get_int(d->settings, kDoubleClick) : -1;
}
