// Hands a web address or file to the user's browser or file handler.
#pragma once

#include <string>

namespace NPlatform
{
bool OpenAddress(const std::string& address);
} // namespace NPlatform
