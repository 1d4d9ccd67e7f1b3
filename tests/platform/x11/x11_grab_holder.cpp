// Another X client for the hot-key tests: holds a key grab on the root window, or checks whether
// it could take one.
//
//   x11_grab_holder hold KEYSYM MODIFIERS   grab, print "grabbed" or "refused", keep the grab until
//                                           standard input closes
// Either way a grab taken is released before the program ends.
//   x11_grab_holder probe KEYSYM MODIFIERS  exit 0 when the grab could be taken, 1 when refused
//
// KEYSYM and MODIFIERS are numbers (0x20 is space; MODIFIERS are X modifier bits).

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

int main(int argc, char **argv)
{
    if (argc != 4 || (std::strcmp(argv[1], "hold") != 0 && std::strcmp(argv[1], "probe") != 0)) {
        std::fprintf(stderr, "usage: %s hold|probe KEYSYM MODIFIERS\n", argv[0]);
        return 2;
    }
    const bool hold = std::strcmp(argv[1], "hold") == 0;
    const auto keysym = xcb_keysym_t(std::strtoul(argv[2], nullptr, 0));
    const auto modifiers = uint16_t(std::strtoul(argv[3], nullptr, 0));

    int screenNumber = 0;
    xcb_connection_t *connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection))
        return 2;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (; screenNumber > 0 && screens.rem > 1; --screenNumber)
        xcb_screen_next(&screens);
    const xcb_window_t root = screens.data->root;

    xcb_key_symbols_t *symbols = xcb_key_symbols_alloc(connection);
    xcb_keycode_t *keys = xcb_key_symbols_get_keycode(symbols, keysym);
    if (!keys || keys[0] == XCB_NO_SYMBOL)
        return 2;
    xcb_generic_error_t *error = xcb_request_check(
        connection, xcb_grab_key_checked(connection, 0, root, modifiers, keys[0], XCB_GRAB_MODE_ASYNC,
                                         XCB_GRAB_MODE_ASYNC));
    const bool refused = error != nullptr;
    std::free(error);

    if (hold) {
        std::printf("%s\n", refused ? "refused" : "grabbed");
        std::fflush(stdout);
        char buffer[64];
        while (read(0, buffer, sizeof buffer) > 0) {
        }
    }
    // Give the grab back and wait for the server to have done so: the server may notice the
    // disconnection only after the test's next request.
    if (!refused) {
        xcb_ungrab_key(connection, keys[0], root, modifiers);
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }
    std::free(keys);
    xcb_key_symbols_free(symbols);
    xcb_disconnect(connection);
    return refused ? 1 : 0;
}
