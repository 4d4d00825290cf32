// Reading test pictures with GDK's pixbuf loader, apart from the Win32 names that its headers clash with.
#include "platform/input/picture_check.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include "foundation/safeguards.h"

namespace input_test {

namespace {

GdkPixbuf* LoadPicture(const std::string& png)
{
    GError* error = nullptr;
    GdkPixbuf* picture = gdk_pixbuf_new_from_file(png.c_str(), &error);
    if (error)
        g_error_free(error);
    return picture;
}

} // namespace

bool PictureShowsSomething(const std::string& png, int* width, int* height)
{
    GdkPixbuf* picture = LoadPicture(png);
    if (!picture)
        return false;
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

bool PictureHasPlainMargin(const std::string& png, int band)
{
    GdkPixbuf* picture = LoadPicture(png);
    if (!picture)
        return false;
    const int width = gdk_pixbuf_get_width(picture);
    const int height = gdk_pixbuf_get_height(picture);
    const guchar* pixels = gdk_pixbuf_get_pixels(picture);
    const int stride = gdk_pixbuf_get_rowstride(picture);
    const int channels = gdk_pixbuf_get_n_channels(picture);
    bool plain = width > 2 * band && height > 2 * band;
    for (int y = 0; y < height && plain; ++y) {
        for (int x = 0; x < width && plain; ++x) {
            if (x >= band && x < width - band && y >= band && y < height - band)
                continue;
            const guchar* p = pixels + y * stride + x * channels;
            plain = p[0] == pixels[0] && p[1] == pixels[1] && p[2] == pixels[2];
        }
    }
    g_object_unref(picture);
    return plain;
}

} // namespace input_test
