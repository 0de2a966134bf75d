#include "Images.h"

#include <cstdio>
#include <jpeglib.h>

namespace NDataGen
{
namespace
{
struct SPixel
{
    uint8_t r, g, b, a;
};

// cairo keeps premultiplied native-endian ARGB; pictures want straight alpha.
SPixel ReadPixel(const unsigned char* row, int x)
{
    uint32_t v = reinterpret_cast<const uint32_t*>(row)[x];
    SPixel p{static_cast<uint8_t>((v >> 16) & 0xFF), static_cast<uint8_t>((v >> 8) & 0xFF),
             static_cast<uint8_t>(v & 0xFF), static_cast<uint8_t>(v >> 24)};
    if (p.a != 0 && p.a != 255)
    {
        p.r = static_cast<uint8_t>((p.r * 255 + p.a / 2) / p.a);
        p.g = static_cast<uint8_t>((p.g * 255 + p.a / 2) / p.a);
        p.b = static_cast<uint8_t>((p.b * 255 + p.a / 2) / p.a);
    }
    return p;
}

Bytes EncodeJpegRows(int width, int height, int components, const Bytes& pixels, int quality)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height)
    {
        JSAMPROW row = const_cast<JSAMPROW>(&pixels[static_cast<size_t>(cinfo.next_scanline) * width * components]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes result(out, out + outSize);
    jpeg_destroy_compress(&cinfo);
    free(out);
    return result;
}
} // namespace

cairo_surface_t* NewSurface(int width, int height)
{
    return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
}

Bytes EncodeTga(cairo_surface_t* surface, bool withAlpha)
{
    cairo_surface_flush(surface);
    int w = cairo_image_surface_get_width(surface);
    int h = cairo_image_surface_get_height(surface);
    int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int bpp = withAlpha ? 4 : 3;

    Bytes out(18, 0);
    out[2] = 2;
    out[12] = static_cast<uint8_t>(w & 0xFF);
    out[13] = static_cast<uint8_t>(w >> 8);
    out[14] = static_cast<uint8_t>(h & 0xFF);
    out[15] = static_cast<uint8_t>(h >> 8);
    out[16] = static_cast<uint8_t>(bpp * 8);
    out[17] = withAlpha ? 8 : 0;
    out.reserve(18 + static_cast<size_t>(w) * h * bpp);
    for (int y = h - 1; y >= 0; --y)
    {
        const unsigned char* row = data + static_cast<size_t>(y) * stride;
        for (int x = 0; x < w; ++x)
        {
            SPixel p = ReadPixel(row, x);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
            if (withAlpha)
                out.push_back(p.a);
        }
    }
    return out;
}

Bytes EncodeJpeg(cairo_surface_t* surface, int quality)
{
    cairo_surface_flush(surface);
    int w = cairo_image_surface_get_width(surface);
    int h = cairo_image_surface_get_height(surface);
    int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    Bytes rgb;
    rgb.reserve(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
    {
        const unsigned char* row = data + static_cast<size_t>(y) * stride;
        for (int x = 0; x < w; ++x)
        {
            SPixel p = ReadPixel(row, x);
            rgb.push_back(p.r);
            rgb.push_back(p.g);
            rgb.push_back(p.b);
        }
    }
    return EncodeJpegRows(w, h, 3, rgb, quality);
}

Bytes EncodeAlphaJpeg(cairo_surface_t* surface, int quality)
{
    cairo_surface_flush(surface);
    int w = cairo_image_surface_get_width(surface);
    int h = cairo_image_surface_get_height(surface);
    int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    Bytes grey;
    grey.reserve(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
    {
        const unsigned char* row = data + static_cast<size_t>(y) * stride;
        for (int x = 0; x < w; ++x)
            grey.push_back(ReadPixel(row, x).a);
    }
    return EncodeJpegRows(w, h, 1, grey, quality);
}
} // namespace NDataGen
