// The floor of the star field benchmark: a bare XCB client with the main window's size and back
// colour that, on the close command, maximizes itself, fills every dot of a list read from a file
// and flushes it to the X server before the next (with --round-trip it waits for the server's
// answer after each dot instead), and destroys its window. Nothing of Qt or of QOR runs here.
//
//   qor_starfield_floor [--round-trip] DOTS_FILE
//
// DOTS_FILE holds one dot a line: left top width height 0xRRGGBB, in client pixels.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace {

struct Dot {
    xcb_rectangle_t square;
    std::uint32_t rgb;
};

xcb_atom_t atom(xcb_connection_t* connection, std::string_view name) {
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, std::uint16_t(name.size()), name.data()),
            nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The pixel value of an RGB colour in a true-colour visual.
std::uint32_t pixelOf(const xcb_visualtype_t& visual, std::uint32_t rgb) {
    const auto channel = [](std::uint32_t value, std::uint32_t mask) {
        if (mask == 0)
            return 0u;
        int shift = 0;
        while (!((mask >> shift) & 1u))
            ++shift;
        const std::uint32_t top = mask >> shift;
        return ((value * top + 127) / 255) << shift;
    };
    return channel(rgb >> 16 & 0xFF, visual.red_mask) |
           channel(rgb >> 8 & 0xFF, visual.green_mask) | channel(rgb & 0xFF, visual.blue_mask);
}

const xcb_visualtype_t* rootVisual(const xcb_screen_t& screen) {
    for (auto depths = xcb_screen_allowed_depths_iterator(&screen); depths.rem;
         xcb_depth_next(&depths))
        for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem;
             xcb_visualtype_next(&visuals))
            if (visuals.data->visual_id == screen.root_visual)
                return visuals.data;
    return nullptr;
}

std::vector<Dot> readDots(const char* path) {
    std::vector<Dot> dots;
    FILE* file = std::fopen(path, "r");
    if (!file)
        return dots;
    int left = 0, top = 0, width = 0, height = 0;
    unsigned rgb = 0;
    while (std::fscanf(file, "%d %d %d %d %x", &left, &top, &width, &height, &rgb) == 5)
        dots.push_back(
            {{std::int16_t(left), std::int16_t(top), std::uint16_t(width), std::uint16_t(height)},
             rgb});
    std::fclose(file);
    return dots;
}

} // namespace

int main(int argc, char** argv) {
    const bool roundTrip = argc == 3 && std::strcmp(argv[1], "--round-trip") == 0;
    if (argc != (roundTrip ? 3 : 2)) {
        std::fprintf(stderr, "usage: %s [--round-trip] DOTS_FILE\n", argv[0]);
        return 2;
    }
    const std::vector<Dot> dots = readDots(argv[argc - 1]);
    if (dots.empty()) {
        std::fprintf(stderr, "%s: no dots in %s\n", argv[0], argv[argc - 1]);
        return 2;
    }
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "%s needs an X server\n", argv[0]);
        return 2;
    }
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    const xcb_screen_t& screen = *screens.data;
    const xcb_visualtype_t* visual = rootVisual(screen);
    if (!visual) {
        std::fprintf(stderr, "%s: no root visual\n", argv[0]);
        return 2;
    }

    // The main window's client area and back colour (the default scheme's highlight); the X
    // server paints the back colour itself wherever the window grows.
    const xcb_window_t window = xcb_generate_id(connection);
    const std::uint32_t attributes[] = {pixelOf(*visual, 0x308CC6),
                                        XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen.root, 0, 0, 490, 308, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen.root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, attributes);
    const xcb_atom_t protocols = atom(connection, "WM_PROTOCOLS");
    const xcb_atom_t deleteWindow = atom(connection, "WM_DELETE_WINDOW");
    const xcb_atom_t wmState = atom(connection, "_NET_WM_STATE");
    const xcb_atom_t maximizedVert = atom(connection, "_NET_WM_STATE_MAXIMIZED_VERT");
    const xcb_atom_t maximizedHorz = atom(connection, "_NET_WM_STATE_MAXIMIZED_HORZ");
    const auto pid = std::uint32_t(getpid());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, protocols, XCB_ATOM_ATOM, 32, 1,
                        &deleteWindow);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom(connection, "_NET_WM_PID"),
                        XCB_ATOM_CARDINAL, 32, 1, &pid);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME,
                        XCB_ATOM_STRING, 8, 5, "floor");
    const xcb_gcontext_t gc = xcb_generate_id(connection);
    xcb_create_gc(connection, gc, window, 0, nullptr);
    xcb_map_window(connection, window);
    xcb_flush(connection);

    // The close command: the window manager's WM_DELETE_WINDOW.
    for (;;) {
        std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(
            xcb_wait_for_event(connection), &std::free);
        if (!event)
            return 1;
        if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE)
            continue;
        const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event.get());
        if (message->type == protocols && message->data.data32[0] == deleteWindow)
            break;
    }

    // Maximized as the main window's unload asks, and the dots drawn on the new size only.
    xcb_client_message_event_t maximize{};
    maximize.response_type = XCB_CLIENT_MESSAGE;
    maximize.format = 32;
    maximize.window = window;
    maximize.type = wmState;
    maximize.data.data32[0] = 1; // add
    maximize.data.data32[1] = maximizedVert;
    maximize.data.data32[2] = maximizedHorz;
    maximize.data.data32[3] = 1; // from an application
    xcb_send_event(connection, 0, screen.root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&maximize));
    xcb_flush(connection);
    int width = 490, height = 308;
    while (width == 490 && height == 308) {
        std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(
            xcb_wait_for_event(connection), &std::free);
        if (!event)
            return 1;
        if ((event->response_type & 0x7F) == XCB_CONFIGURE_NOTIFY) {
            const auto* configure = reinterpret_cast<xcb_configure_notify_event_t*>(event.get());
            width = configure->width;
            height = configure->height;
        }
    }

    std::uint32_t colour = 0xFFFFFFFFu;
    for (const Dot& dot : dots) {
        const xcb_rectangle_t& s = dot.square;
        if (s.x >= width || s.y >= height || s.x + s.width <= 0 || s.y + s.height <= 0)
            continue;
        if (dot.rgb != colour) {
            colour = dot.rgb;
            const std::uint32_t foreground = pixelOf(*visual, colour);
            xcb_change_gc(connection, gc, XCB_GC_FOREGROUND, &foreground);
        }
        xcb_poly_fill_rectangle(connection, window, gc, 1, &s);
        if (roundTrip)
            std::free(
                xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
        else
            xcb_flush(connection);
    }
    xcb_free_gc(connection, gc);
    xcb_destroy_window(connection, window);
    xcb_flush(connection);
    xcb_disconnect(connection);
    return 0;
}
