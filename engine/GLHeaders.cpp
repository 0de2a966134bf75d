#include "engine/GLHeaders.h"

namespace
{
bool g_context_available = false;
}

namespace NGL
{
bool IsContextAvailable()
{
    return g_context_available;
}

void SetContextAvailable(bool available)
{
    g_context_available = available;
}
} // namespace NGL
