// The generator's one font loader. Every face comes from a named DejaVu file;
// a file that cannot be opened stops the generator, because a data set drawn
// with a fallback face differs from machine to machine.
#pragma once

#include <cairo.h>

namespace NDataGen
{
// Folder of the DejaVu files; ZONVEL_FONT_DIR overrides it (the tests point it
// at an empty folder to see the generator refuse to run).
const char* FontFolder();

// The face of one file in that folder, opened once for the whole run. Exits
// the generator with a message naming the file when it cannot be opened.
cairo_font_face_t* FontFace(const char* fileName);

// Opens every file the generator draws with; false after naming each one
// missing on standard error.
bool CheckFontFiles();
} // namespace NDataGen
