// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "platform_choice.h"

#include <wayland-client.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace forms::qt {

namespace {

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Where Qt's default platform list, Wayland before X11, takes it.
bool QtWouldUseWayland()
{
    const char* session = std::getenv("XDG_SESSION_TYPE");
    return IsSet("WAYLAND_DISPLAY") || (session != nullptr && std::strcmp(session, "wayland") == 0);
}

// Whether a compositor answers and leaves the window frames to its clients:
// it does not offer the xdg decoration manager, through which a client asks
// the compositor to draw its frame. A compositor that cannot be reached, or
// does not answer, is taken to be none, and Qt's choice stands.
bool CompositorLeavesFramesToClients()
{
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr)
        return false;
    bool offersFrames = false;
    static const wl_registry_listener listener {
        [](void* data, wl_registry*, std::uint32_t, const char* interface, std::uint32_t) {
            if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0)
                *static_cast<bool*>(data) = true;
        },
        [](void*, wl_registry*, std::uint32_t) {},
    };
    bool answered = false;
    if (wl_registry* registry = wl_display_get_registry(display)) {
        wl_registry_add_listener(registry, &listener, &offersFrames);
        answered = wl_display_roundtrip(display) >= 0;
        wl_registry_destroy(registry);
    }
    wl_display_disconnect(display);
    return answered && !offersFrames;
}

} // namespace

void ChoosePlatform()
{
    // The player's choice stands. A connection handed over in WAYLAND_SOCKET
    // can be taken only once, and it is Qt's to take. Without an X server
    // there is nothing else to run on.
    if (IsSet("QT_QPA_PLATFORM") || IsSet("WAYLAND_SOCKET") || !QtWouldUseWayland() || !IsSet("DISPLAY"))
        return;
    // Wayland stays as the second choice, for when the X server cannot be
    // reached after all.
    if (CompositorLeavesFramesToClients())
        setenv("QT_QPA_PLATFORM", "xcb;wayland", 1);
}

} // namespace forms::qt
