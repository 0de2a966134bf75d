// The menu windows: each window's layout file and its background picture are
// made from one table, so the captions and grooves in the picture sit exactly
// where the layout places the controls.
#pragma once

#include "../DataWriter.h"

#include <string>
#include <vector>

namespace NDataGen::NMui
{
struct SControlPlace
{
    std::string name;
    float x, y;
};

struct SLayout
{
    std::string file;
    std::vector<SControlPlace> controls;
    std::vector<std::pair<std::string, float>> values; // further keys, such as font sizes
};

// The key/value text of a layout file.
std::string LayoutText(const SLayout& layout);

// Adds the seven layout files and every window background.
void GenerateWindows(CDataWriter& out);
} // namespace NDataGen::NMui
