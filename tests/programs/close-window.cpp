// close-window WINDOW: asks a window to close, as a window manager's close box
// does (WM_DELETE_WINDOW), on the display of DISPLAY. The program tests' virtual
// screen has no window manager, and xdotool can only destroy a window.

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr),
        &std::free);
    return reply ? reply->atom : XCB_ATOM_NONE;
}

}  // namespace

int main(int argc, char** argv)
{
    char* end = nullptr;
    const unsigned long window = argc == 2 ? std::strtoul(argv[1], &end, 0) : 0;
    if (window == 0 || *end != '\0') {
        std::fputs("usage: close-window WINDOW (the window's id, 0x... or decimal)\n", stderr);
        return 2;
    }
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(xcb_connect(nullptr, nullptr),
                                                                                   &xcb_disconnect);
    if (xcb_connection_has_error(connection.get())) {
        std::fputs("close-window: cannot open the display\n", stderr);
        return 1;
    }
    const xcb_atom_t protocols = atom(connection.get(), "WM_PROTOCOLS");
    const xcb_atom_t deleteWindow = atom(connection.get(), "WM_DELETE_WINDOW");
    if (protocols == XCB_ATOM_NONE || deleteWindow == XCB_ATOM_NONE) {
        std::fputs("close-window: the display has no window manager atoms\n", stderr);
        return 1;
    }
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window);
    message.type = protocols;
    message.data.data32[0] = deleteWindow;
    message.data.data32[1] = XCB_CURRENT_TIME;
    const xcb_void_cookie_t sent = xcb_send_event_checked(connection.get(), 0, message.window, XCB_EVENT_MASK_NO_EVENT,
                                                          reinterpret_cast<const char*>(&message));
    if (const std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> error(
            xcb_request_check(connection.get(), sent), &std::free);
        error) {
        std::fprintf(stderr, "close-window: no window %s\n", argv[1]);
        return 1;
    }
    return 0;
}
