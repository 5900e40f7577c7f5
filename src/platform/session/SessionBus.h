#pragma once

// The desktop's D-Bus session bus, which the window uses only through Qt
// (accessibility). Without one, libdbus "autolaunches" a dbus-daemon of its
// own that outlives the program and writes ~/.dbus.
namespace SessionBus {

// Where no session bus exists, makes every connection to one fail at once
// instead of starting a daemon; where one exists, changes nothing. Call
// before the QGuiApplication.
void neverAutolaunch();

} // namespace SessionBus
