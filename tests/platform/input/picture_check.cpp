// Reading test pictures with GDK's pixbuf loader, apart from the Win32 names that its headers clash with.
#include "platform/input/picture_check.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include "foundation/safeguards.h"

namespace input_test {

bool PictureShowsSomething(const std::string& png, int* width, int* height)
{
    GError* error = nullptr;
    GdkPixbuf* picture = gdk_pixbuf_new_from_file(png.c_str(), &error);
    if (!picture) {
        if (error)
            g_error_free(error);
        return false;
    }
    *width = gdk_pixbuf_get_width(picture);
    *height = gdk_pixbuf_get_height(picture);
    const guchar* pixels = gdk_pixbuf_get_pixels(picture);
    int stride = gdk_pixbuf_get_rowstride(picture);
    int channels = gdk_pixbuf_get_n_channels(picture);
    int differing = 0;
    for (int y = 0; y < *height; y += 2) {
        for (int x = 0; x < *width; x += 2) {
            const guchar* p = pixels + y * stride + x * channels;
            if (p[0] != pixels[0] || p[1] != pixels[1] || p[2] != pixels[2])
                ++differing;
        }
    }
    g_object_unref(picture);
    return differing > 100;
}

} // namespace input_test
