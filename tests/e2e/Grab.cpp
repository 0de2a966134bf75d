// zonvel_grab WINDOW OUT.png [X Y]...: the picture of a window as the X
// server shows it, for the desktop scripts (no screenshot tool is needed).
// With points given, prints "R G B" of each window pixel, one line each.
#include "tests/e2e/Image.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3 || argc % 2 == 0)
    {
        std::fprintf(stderr, "usage: zonvel_grab WINDOW OUT.png [X Y]...\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display)
    {
        std::fprintf(stderr, "zonvel_grab: no display\n");
        return 1;
    }
    const Window window = std::strtoul(argv[1], nullptr, 0);
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes))
        return 1;
    // Taken from the root window: what the player sees, whoever draws it.
    int x = 0, y = 0;
    Window child = 0;
    const Window root = DefaultRootWindow(display);
    XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child);
    XImage* picture = XGetImage(display, root, x, y, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (!picture)
        return 1;
    NE2e::SImage image;
    image.width = attributes.width;
    image.height = attributes.height;
    image.rgba.resize(static_cast<size_t>(image.width) * image.height * 4);
    for (int row = 0; row < image.height; ++row)
        for (int column = 0; column < image.width; ++column)
        {
            const unsigned long pixel = XGetPixel(picture, column, row);
            uint8_t* out = &image.rgba[(static_cast<size_t>(row) * image.width + column) * 4];
            out[0] = static_cast<uint8_t>((pixel & picture->red_mask) >> 16);
            out[1] = static_cast<uint8_t>((pixel & picture->green_mask) >> 8);
            out[2] = static_cast<uint8_t>(pixel & picture->blue_mask);
            out[3] = 255;
        }
    XDestroyImage(picture);
    XCloseDisplay(display);
    if (!NE2e::SavePng(image, argv[2]))
        return 1;
    for (int i = 3; i + 1 < argc; i += 2)
    {
        const NE2e::SRgb c = image.At(std::atoi(argv[i]), std::atoi(argv[i + 1]));
        std::printf("%d %d %d\n", c.r, c.g, c.b);
    }
    return 0;
}
