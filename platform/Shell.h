// Hands a web address or file to the user's browser or file handler.
#pragma once

#include <string>

namespace NPlatform
{
bool OpenAddress(const std::string& address);
// A page of the data set, named relative to the program's folder (or the
// working folder, where loose data files are read): its file:// address, or
// empty when neither holds it. Nothing here reaches the network.
std::string LocalPageAddress(const std::string& relativePath);
// Opens such a page in the user's browser; false when it is missing.
bool OpenLocalPage(const std::string& relativePath);
} // namespace NPlatform
