#pragma once

#include <QGuiApplication>

// Whether the window runs on an X server, where clipboards and stacking work as on X11.
inline bool OnX11() { return QGuiApplication::platformName() == u"xcb"; }

// Whether it runs on a Wayland compositor, through either of Qt's Wayland platforms.
inline bool OnWayland() { return QGuiApplication::platformName().startsWith(u"wayland"); }
