#include "Fonts.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace NDataGen
{
namespace
{
// fonts-dejavu-core holds the first, second and fourth, fonts-dejavu-extra the third.
const char* const kFontFiles[] = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSansCondensed-Bold.ttf",
                                  "DejaVuSerif-Bold.ttf"};

FT_Library Library()
{
    static FT_Library library = nullptr;
    if (!library && FT_Init_FreeType(&library) != 0)
    {
        std::fprintf(stderr, "datagen: cannot start FreeType\n");
        std::exit(1);
    }
    return library;
}

std::string FontPath(const char* fileName)
{
    return std::string(FontFolder()) + "/" + fileName;
}

FT_Face OpenFace(const std::string& path)
{
    FT_Face face = nullptr;
    if (FT_New_Face(Library(), path.c_str(), 0, &face) != 0)
        return nullptr;
    return face;
}
} // namespace

const char* FontFolder()
{
    const char* folder = std::getenv("ZONVEL_FONT_DIR");
    return folder && *folder ? folder : "/usr/share/fonts/truetype/dejavu";
}

cairo_font_face_t* FontFace(const char* fileName)
{
    static std::map<std::string, cairo_font_face_t*> faces;
    auto found = faces.find(fileName);
    if (found != faces.end())
        return found->second;
    const std::string path = FontPath(fileName);
    FT_Face face = OpenFace(path);
    if (!face)
    {
        std::fprintf(stderr, "datagen: cannot open font %s\n", path.c_str());
        std::exit(1);
    }
    // The faces live for the whole run of the generator.
    cairo_font_face_t* cairoFace = cairo_ft_font_face_create_for_ft_face(face, 0);
    faces[fileName] = cairoFace;
    return cairoFace;
}

bool CheckFontFiles()
{
    bool all = true;
    for (const char* fileName : kFontFiles)
    {
        const std::string path = FontPath(fileName);
        FT_Face face = OpenFace(path);
        if (!face)
        {
            std::fprintf(stderr, "datagen: cannot open font %s\n", path.c_str());
            all = false;
            continue;
        }
        FT_Done_Face(face);
    }
    return all;
}
} // namespace NDataGen
