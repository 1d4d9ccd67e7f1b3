/* Types keys into KWin through its fake-input protocol (org_kde_kwin_fake_input), as a person at the
 * keyboard would. KWin offers the protocol to programs whose desktop entry lists it under
 * X-KDE-Wayland-Interfaces. Orders come on standard input, one a line, and are answered "done"
 * (or "error ..."):
 *
 *     press ctrl+super+space     modifiers held, the key pressed and released, modifiers released
 *     type copy                  lower-case letters, one key each
 *
 * Prints "ready" once the compositor offers the protocol; exits 1 when it does not. */
#include "fake-input-client-protocol.h"

#include <linux/input-event-codes.h>
#include <stdio.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

static struct org_kde_kwin_fake_input *fake;

static void global(void *data, struct wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    (void)data;
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4)
        fake = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4);
}

static void global_remove(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registry_listener = {global, global_remove};

static int code(const char *name)
{
    static const struct {
        const char *name;
        int code;
    } named[] = {{"ctrl", KEY_LEFTCTRL}, {"alt", KEY_LEFTALT}, {"shift", KEY_LEFTSHIFT}, {"super", KEY_LEFTMETA},
                 {"space", KEY_SPACE}, {"Escape", KEY_ESC}, {"Return", KEY_ENTER}, {"Down", KEY_DOWN}};
    static const int letters[] = {KEY_A, KEY_B, KEY_C, KEY_D, KEY_E, KEY_F, KEY_G, KEY_H, KEY_I,
                                  KEY_J, KEY_K, KEY_L, KEY_M, KEY_N, KEY_O, KEY_P, KEY_Q, KEY_R,
                                  KEY_S, KEY_T, KEY_U, KEY_V, KEY_W, KEY_X, KEY_Y, KEY_Z};
    for (size_t i = 0; i < sizeof named / sizeof named[0]; ++i) {
        if (strcmp(name, named[i].name) == 0)
            return named[i].code;
    }
    if (strlen(name) == 1 && name[0] >= 'a' && name[0] <= 'z')
        return letters[name[0] - 'a'];
    return -1;
}

static void key(struct wl_display *display, int key, int down)
{
    const struct timespec pause = {0, 20 * 1000 * 1000};
    org_kde_kwin_fake_input_keyboard_key(fake, (uint32_t)key, down ? 1 : 0);
    wl_display_roundtrip(display);
    nanosleep(&pause, NULL);
}

int main(void)
{
    struct wl_display *display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "fake_keys: no Wayland display\n");
        return 1;
    }
    struct wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (!fake) {
        fprintf(stderr, "fake_keys: the compositor offers no fake input\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(fake, "Corvane tests", "types the keys of an end-to-end test");
    wl_display_roundtrip(display);
    printf("ready\n");
    fflush(stdout);

    char line[256];
    while (fgets(line, sizeof line, stdin)) {
        line[strcspn(line, "\n")] = 0;
        int ok = 1;
        if (strncmp(line, "press ", 6) == 0) {
            int keys[8], count = 0;
            for (char *part = strtok(line + 6, "+"); part && count < 8; part = strtok(NULL, "+"))
                keys[count++] = code(part);
            for (int i = 0; i < count; ++i)
                ok = ok && keys[i] >= 0;
            if (ok) {
                for (int i = 0; i < count; ++i)
                    key(display, keys[i], 1);
                for (int i = count - 1; i >= 0; --i)
                    key(display, keys[i], 0);
            }
        } else if (strncmp(line, "type ", 5) == 0) {
            for (const char *c = line + 5; *c && ok; ++c) {
                const char letter[2] = {*c, 0};
                const int k = code(letter);
                ok = k >= 0;
                if (ok) {
                    key(display, k, 1);
                    key(display, k, 0);
                }
            }
        } else if (strcmp(line, "quit") == 0) {
            break;
        } else {
            ok = 0;
        }
        printf(ok ? "done\n" : "error %s\n", line);
        fflush(stdout);
    }
    wl_display_disconnect(display);
    return 0;
}
