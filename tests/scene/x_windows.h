#pragma once
// Test support: the top-level windows of an X display as a user sees them
// (their titles, which window each stands over, where they are), and the
// user's hand on them: a click of the first mouse button at a point of a
// window, a key with its modifiers to a window, the keyboard's focus given to
// a window as a window manager gives it on a click. Events are sent to the
// window as X sends a client its input; the program handles them as any.

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace testsupport {

struct XWindow {
    xcb_window_t id = XCB_NONE;
    std::string title;
    xcb_window_t over = XCB_NONE;   // the window it is transient for
    int width = 0;
    int height = 0;
};

class XWindows {
public:
    // On the display DISPLAY names.
    XWindows() : connection_(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(connection_) == 0) {
            root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        }
    }
    ~XWindows() { xcb_disconnect(connection_); }
    XWindows(const XWindows&) = delete;
    XWindows& operator=(const XWindows&) = delete;

    bool connected() const { return root_ != XCB_NONE; }

    // The top-level windows that are on the screen, bottom to top.
    std::vector<XWindow> shown() {
        std::vector<XWindow> windows;
        const Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr));
        if (!tree) return windows;
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
            const Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
                connection_, xcb_get_window_attributes(connection_, children[i]), nullptr));
            if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE) continue;
            XWindow window;
            window.id = children[i];
            window.title = property(children[i], atom("_NET_WM_NAME"));
            if (window.title.empty()) window.title = property(children[i], XCB_ATOM_WM_NAME);
            const std::string over = property(children[i], XCB_ATOM_WM_TRANSIENT_FOR);
            if (over.size() == sizeof window.over) std::memcpy(&window.over, over.data(), sizeof window.over);
            const Reply<xcb_get_geometry_reply_t> geometry(
                xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, children[i]), nullptr));
            if (geometry) {
                window.width = geometry->width;
                window.height = geometry->height;
            }
            windows.push_back(window);
        }
        return windows;
    }

    void focus(xcb_window_t window) {
        xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
        xcb_flush(connection_);
    }

    // `keysym`: X's name of the key's symbol (the character for Latin-1 ones,
    // 0xff09 for Tab); `modifiers`: XCB_MOD_MASK_CONTROL and the like.
    void key(xcb_window_t window, std::uint32_t keysym, std::uint16_t modifiers = 0) {
        xcb_key_press_event_t event{};
        event.detail = keycode(keysym);
        event.root = root_;
        event.event = window;
        event.child = XCB_NONE;
        event.same_screen = 1;
        event.state = modifiers;
        event.time = XCB_CURRENT_TIME;
        event.response_type = XCB_KEY_PRESS;
        xcb_send_event(connection_, 1, window, XCB_EVENT_MASK_KEY_PRESS, reinterpret_cast<const char*>(&event));
        event.response_type = XCB_KEY_RELEASE;
        xcb_send_event(connection_, 1, window, XCB_EVENT_MASK_KEY_RELEASE, reinterpret_cast<const char*>(&event));
        xcb_flush(connection_);
    }

    // Types each character of `text` (Latin-1 characters, whose keysym is the character).
    void type(xcb_window_t window, const std::string& text) {
        for (const char c : text) key(window, static_cast<unsigned char>(c));
    }

    // At (x, y) of the window, in pixels from its top left corner.
    void click(xcb_window_t window, int x, int y) {
        xcb_button_press_event_t event{};
        event.detail = 1;
        event.root = root_;
        event.event = window;
        event.child = XCB_NONE;
        event.same_screen = 1;
        event.event_x = static_cast<std::int16_t>(x);
        event.event_y = static_cast<std::int16_t>(y);
        event.time = XCB_CURRENT_TIME;
        event.response_type = XCB_BUTTON_PRESS;
        xcb_send_event(connection_, 1, window, XCB_EVENT_MASK_BUTTON_PRESS, reinterpret_cast<const char*>(&event));
        event.response_type = XCB_BUTTON_RELEASE;
        event.state = XCB_BUTTON_MASK_1;
        xcb_send_event(connection_, 1, window, XCB_EVENT_MASK_BUTTON_RELEASE, reinterpret_cast<const char*>(&event));
        xcb_flush(connection_);
    }

private:
    template <class T>
    struct Free {
        void operator()(T* reply) const { std::free(reply); }
    };
    template <class T>
    using Reply = std::unique_ptr<T, Free<T>>;

    xcb_atom_t atom(const char* name) {
        const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
        return reply ? reply->atom : XCB_NONE;
    }

    std::string property(xcb_window_t window, xcb_atom_t name) {
        const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr));
        if (!reply) return {};
        return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                           static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
    }

    xcb_keycode_t keycode(std::uint32_t keysym) {
        const xcb_setup_t* setup = xcb_get_setup(connection_);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        const Reply<xcb_get_keyboard_mapping_reply_t> mapping(xcb_get_keyboard_mapping_reply(
            connection_, xcb_get_keyboard_mapping(connection_, setup->min_keycode, static_cast<std::uint8_t>(count)),
            nullptr));
        if (!mapping) return 0;
        const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(mapping.get());
        const int perKey = mapping->keysyms_per_keycode;
        for (int code = 0; code < count; ++code) {
            for (int level = 0; level < perKey; ++level) {
                if (symbols[code * perKey + level] == keysym) return static_cast<xcb_keycode_t>(setup->min_keycode + code);
            }
        }
        return 0;
    }

    xcb_connection_t* connection_;
    xcb_window_t root_ = XCB_NONE;
};

} // namespace testsupport
