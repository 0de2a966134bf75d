// The two pages the main menu opens in the browser: "about" and "gifts"
// (wallpapers). Written beside the program, not into the pack.
#pragma once

#include "DataWriter.h"

namespace NDataGen
{
constexpr const char* kAboutPage = "web/about.html";
constexpr const char* kGiftsPage = "web/gifts.html";

void AddWebPages(CDataWriter& out);
} // namespace NDataGen
