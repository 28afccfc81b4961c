#include "platform/x11_windows.h"

#include <xcb/randr.h>
#include <xcb/xcb.h>
#include <xcb/xinerama.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace orrelume {

namespace {

xcb_atom_t InternAtom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    if (!reply) return XCB_ATOM_NONE;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

// The windows a window manager lists as managed (empty without one).
std::vector<xcb_window_t> ManagedWindows(xcb_connection_t* c, xcb_window_t root) {
    std::vector<xcb_window_t> windows;
    const xcb_atom_t list = InternAtom(c, "_NET_CLIENT_LIST");
    if (list == XCB_ATOM_NONE) return windows;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, root, list, XCB_ATOM_WINDOW, 0, 65536), nullptr);
    if (!reply) return windows;
    if (reply->format == 32 && reply->type == XCB_ATOM_WINDOW) {
        const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(reply));
        const int n = xcb_get_property_value_length(reply) / 4;
        windows.assign(ids, ids + n);
    }
    std::free(reply);
    return windows;
}

std::vector<xcb_window_t> RootChildren(xcb_connection_t* c, xcb_window_t root) {
    std::vector<xcb_window_t> windows;
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr);
    if (!tree) return windows;
    const xcb_window_t* children = xcb_query_tree_children(tree);
    windows.assign(children, children + xcb_query_tree_children_length(tree));
    std::free(tree);
    return windows;
}

std::optional<std::string> PropertyText(xcb_get_property_reply_t* reply) {
    if (!reply) return std::nullopt;
    std::optional<std::string> text;
    if (reply->type != XCB_ATOM_NONE && reply->format == 8) {
        const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply));
        text = std::string(bytes, static_cast<size_t>(xcb_get_property_value_length(reply)));
    }
    std::free(reply);
    return text;
}

}  // namespace

X11Display::X11Display() {
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (!c || xcb_connection_has_error(c)) {
        if (c) xcb_disconnect(c);
        return;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    if (!it.rem) {
        xcb_disconnect(c);
        return;
    }
    connection_ = c;
    root_ = it.data->root;
}

X11Display::~X11Display() {
    if (connection_) xcb_disconnect(connection_);
}

int X11Display::FileDescriptor() const {
    return connection_ ? xcb_get_file_descriptor(connection_) : -1;
}

void X11Display::Flush() {
    if (connection_) xcb_flush(connection_);
}

std::optional<std::string> WindowCaption(X11Display& display, uint32_t window) {
    xcb_connection_t* c = display.Connection();
    if (!c || window == 0) return std::nullopt;
    const xcb_atom_t netName = InternAtom(c, "_NET_WM_NAME");
    if (netName != XCB_ATOM_NONE) {
        auto text = PropertyText(xcb_get_property_reply(
            c, xcb_get_property(c, 0, window, netName, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
            nullptr));
        if (text) return text;
    }
    return PropertyText(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
        nullptr));
}

uint32_t FindTopLevelWindow(X11Display& display, std::string_view caption) {
    xcb_connection_t* c = display.Connection();
    if (!c) return 0;
    std::vector<xcb_window_t> candidates = RootChildren(c, display.Root());
    const std::vector<xcb_window_t> managed = ManagedWindows(c, display.Root());
    candidates.insert(candidates.end(), managed.begin(), managed.end());

    // Ask for every caption first and collect the answers after, so the
    // search costs one round trip rather than one per window.
    const xcb_atom_t netName = InternAtom(c, "_NET_WM_NAME");
    std::vector<xcb_get_property_cookie_t> netCookies, nameCookies;
    netCookies.reserve(candidates.size());
    nameCookies.reserve(candidates.size());
    for (const xcb_window_t w : candidates) {
        netCookies.push_back(
            xcb_get_property(c, 0, w, netName, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024));
        nameCookies.push_back(
            xcb_get_property(c, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024));
    }
    uint32_t found = 0;
    for (size_t i = 0; i < candidates.size(); ++i) {
        auto net = PropertyText(xcb_get_property_reply(c, netCookies[i], nullptr));
        auto name = PropertyText(xcb_get_property_reply(c, nameCookies[i], nullptr));
        const std::optional<std::string>& text = net ? net : name;
        if (found == 0 && text && *text == caption) found = candidates[i];
    }
    return found;
}

bool WindowExists(X11Display& display, uint32_t window) {
    xcb_connection_t* c = display.Connection();
    if (!c || window == 0) return false;
    xcb_generic_error_t* error = nullptr;
    xcb_get_window_attributes_reply_t* reply =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), &error);
    std::free(error);
    if (!reply) return false;
    std::free(reply);
    return true;
}

std::optional<WindowExtent> WindowSize(X11Display& display, uint32_t window) {
    xcb_connection_t* c = display.Connection();
    if (!c || window == 0) return std::nullopt;
    xcb_generic_error_t* error = nullptr;
    xcb_get_geometry_reply_t* reply =
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), &error);
    std::free(error);
    if (!reply) return std::nullopt;
    const WindowExtent extent{reply->width, reply->height};
    std::free(reply);
    return extent;
}

bool ActivateWindow(X11Display& display, uint32_t window) {
    xcb_connection_t* c = display.Connection();
    if (!WindowExists(display, window)) return false;
    // The window manager's way, where one runs.
    const xcb_atom_t active = InternAtom(c, "_NET_ACTIVE_WINDOW");
    if (active != XCB_ATOM_NONE) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = active;
        event.data.data32[0] = 1;  // from an application
        event.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(c, 0, display.Root(),
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&event));
    }
    // And directly, for a display without a window manager.
    const uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(c, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    xcb_get_window_attributes_reply_t* attributes =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr);
    if (attributes) {
        if (attributes->map_state == XCB_MAP_STATE_VIEWABLE) {
            xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
        }
        std::free(attributes);
    }
    // Wait until the display has carried the requests out: a program that
    // ends right after this call must not leave them unheard.
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    return true;
}

uint32_t CreateCaptionWindow(X11Display& display, std::string_view caption) {
    xcb_connection_t* c = display.Connection();
    if (!c) return 0;
    const xcb_window_t window = xcb_generate_id(c);
    const uint32_t overrideRedirect = 1;
    xcb_generic_error_t* error = xcb_request_check(
        c, xcb_create_window_checked(c, 0, window, display.Root(), -1, -1, 1, 1, 0,
                                     XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
                                     XCB_CW_OVERRIDE_REDIRECT, &overrideRedirect));
    if (error) {
        std::free(error);
        return 0;
    }
    const auto length = static_cast<uint32_t>(caption.size());
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        length, caption.data());
    const xcb_atom_t netName = InternAtom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = InternAtom(c, "UTF8_STRING");
    if (netName != XCB_ATOM_NONE && utf8 != XCB_ATOM_NONE) {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, netName, utf8, 8, length,
                            caption.data());
    }
    xcb_flush(c);
    return window;
}

void MarkAsDesktopBackground(xcb_connection_t* c, uint32_t window) {
    if (!c || window == 0) return;
    const xcb_atom_t type = InternAtom(c, "_NET_WM_WINDOW_TYPE");
    const xcb_atom_t desktop = InternAtom(c, "_NET_WM_WINDOW_TYPE_DESKTOP");
    if (type != XCB_ATOM_NONE && desktop != XCB_ATOM_NONE) {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, type, XCB_ATOM_ATOM, 32, 1, &desktop);
    }
    const xcb_atom_t state = InternAtom(c, "_NET_WM_STATE");
    std::vector<xcb_atom_t> states;
    for (const char* name :
         {"_NET_WM_STATE_BELOW", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"}) {
        const xcb_atom_t atom = InternAtom(c, name);
        if (atom != XCB_ATOM_NONE) states.push_back(atom);
    }
    if (state != XCB_ATOM_NONE && !states.empty()) {
        // Added to what the window has: a window that is not shown yet tells
        // its window manager its states in this property.
        xcb_change_property(c, XCB_PROP_MODE_APPEND, window, state, XCB_ATOM_ATOM, 32,
                            static_cast<uint32_t>(states.size()), states.data());
    }
    const xcb_atom_t desktopNumber = InternAtom(c, "_NET_WM_DESKTOP");
    const uint32_t everyDesktop = 0xFFFFFFFF;
    if (desktopNumber != XCB_ATOM_NONE) {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, desktopNumber, XCB_ATOM_CARDINAL, 32,
                            1, &everyDesktop);
    }
    xcb_flush(c);
}

bool WatchWindow(X11Display& display, uint32_t window) {
    xcb_connection_t* c = display.Connection();
    if (!c || window == 0) return false;
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_EXPOSURE;
    xcb_generic_error_t* error = xcb_request_check(
        c, xcb_change_window_attributes_checked(c, window, XCB_CW_EVENT_MASK, &mask));
    if (error) {
        std::free(error);
        return false;
    }
    return true;
}

bool DrainWindowEvents(X11Display& display, uint32_t window, bool* exposed) {
    xcb_connection_t* c = display.Connection();
    if (!c) return false;
    bool destroyed = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
        const uint8_t type = event->response_type & 0x7F;
        if (type == XCB_DESTROY_NOTIFY) {
            const auto* destroy = reinterpret_cast<const xcb_destroy_notify_event_t*>(event);
            if (destroy->window == window) destroyed = true;
        } else if (type == XCB_EXPOSE && exposed) {
            const auto* expose = reinterpret_cast<const xcb_expose_event_t*>(event);
            if (expose->window == window) *exposed = true;
        }
        std::free(event);
    }
    if (xcb_connection_has_error(c)) destroyed = true;
    return destroyed;
}

namespace {

std::vector<MonitorArea> RandrMonitors(xcb_connection_t* c, xcb_window_t root) {
    std::vector<MonitorArea> areas;
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xcb_randr_id);
    if (!ext || !ext->present) return areas;
    xcb_randr_query_version_reply_t* version =
        xcb_randr_query_version_reply(c, xcb_randr_query_version(c, 1, 5), nullptr);
    if (!version) return areas;
    const bool monitors =
        version->major_version > 1 || (version->major_version == 1 && version->minor_version >= 5);
    std::free(version);
    if (!monitors) return areas;
    xcb_randr_get_monitors_reply_t* reply =
        xcb_randr_get_monitors_reply(c, xcb_randr_get_monitors(c, root, 1), nullptr);
    if (!reply) return areas;
    for (xcb_randr_monitor_info_iterator_t it = xcb_randr_get_monitors_monitors_iterator(reply);
         it.rem; xcb_randr_monitor_info_next(&it)) {
        areas.push_back({it.data->x, it.data->y, it.data->width, it.data->height});
    }
    std::free(reply);
    return areas;
}

std::vector<MonitorArea> XineramaScreens(xcb_connection_t* c) {
    std::vector<MonitorArea> areas;
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xcb_xinerama_id);
    if (!ext || !ext->present) return areas;
    xcb_xinerama_is_active_reply_t* active =
        xcb_xinerama_is_active_reply(c, xcb_xinerama_is_active(c), nullptr);
    const bool on = active && active->state != 0;
    std::free(active);
    if (!on) return areas;
    xcb_xinerama_query_screens_reply_t* reply =
        xcb_xinerama_query_screens_reply(c, xcb_xinerama_query_screens(c), nullptr);
    if (!reply) return areas;
    const xcb_xinerama_screen_info_t* info = xcb_xinerama_query_screens_screen_info(reply);
    const int n = xcb_xinerama_query_screens_screen_info_length(reply);
    for (int i = 0; i < n; ++i)
        areas.push_back({info[i].x_org, info[i].y_org, info[i].width, info[i].height});
    std::free(reply);
    return areas;
}

}  // namespace

std::vector<MonitorArea> MonitorAreas(X11Display& display) {
    xcb_connection_t* c = display.Connection();
    std::vector<MonitorArea> areas;
    if (!c) return areas;
    const auto root = WindowSize(display, display.Root());
    if (!root) return areas;
    std::vector<MonitorArea> reported = RandrMonitors(c, display.Root());
    // Classic Xinerama: a server whose RandR knows only its first screen
    // while Xinerama lists every head.
    std::vector<MonitorArea> heads = XineramaScreens(c);
    if (heads.size() > reported.size()) reported = std::move(heads);
    for (MonitorArea a : reported) {
        // Within the root; a monitor the root does not reach is left out.
        const int32_t x0 = std::clamp(a.x, 0, root->width), y0 = std::clamp(a.y, 0, root->height);
        const int32_t x1 = std::clamp(a.x + a.width, x0, root->width);
        const int32_t y1 = std::clamp(a.y + a.height, y0, root->height);
        const MonitorArea inside{x0, y0, x1 - x0, y1 - y0};
        if (inside.width < 1 || inside.height < 1) continue;
        if (std::find(areas.begin(), areas.end(), inside) == areas.end()) areas.push_back(inside);
    }
    if (areas.size() == 1 && areas[0] == MonitorArea{0, 0, root->width, root->height})
        areas.clear();
    return areas;
}

}  // namespace orrelume
