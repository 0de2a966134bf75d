#include "platform/Shell.h"

#include <SDL.h>

namespace NPlatform
{
bool OpenAddress(const std::string& address)
{
    return SDL_OpenURL(address.c_str()) == 0;
}
} // namespace NPlatform
