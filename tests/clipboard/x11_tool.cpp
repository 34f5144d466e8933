// What the clipboard tests do to an X server besides what xdotool and xclip do:
//   x11_tool close WINDOW-ID    asks a window to close, as a window manager's close button does;
//   x11_tool own SELECTION      owns a selection until killed, as a clipboard manager owns
//                               CLIPBOARD_MANAGER; says "owned" once it does.
#include <xcb/xcb.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

xcb_atom_t Intern(xcb_connection_t* connection, const char* name) {
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
            nullptr),
        &std::free);
    return reply ? reply->atom : XCB_NONE;
}

void Close(xcb_connection_t* connection, xcb_window_t window) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = Intern(connection, "WM_PROTOCOLS");
    message.data.data32[0] = Intern(connection, "WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&message));
    // The X server drops the requests still unread of a client that hangs up, so the message is
    // only sent once a round trip behind it came back.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

[[noreturn]] void Own(xcb_connection_t* connection, const char* selection) {
    const xcb_window_t window = xcb_generate_id(connection);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_set_selection_owner(connection, window, Intern(connection, selection), XCB_CURRENT_TIME);
    xcb_flush(connection);
    std::puts("owned");
    std::fflush(stdout);
    for (;;) {
        pause();
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        return 1;
    }
    if (std::strcmp(argv[1], "own") == 0) {
        Own(connection, argv[2]);
    }
    Close(connection, static_cast<xcb_window_t>(std::strtoul(argv[2], nullptr, 0)));
    xcb_disconnect(connection);
    return 0;
}
