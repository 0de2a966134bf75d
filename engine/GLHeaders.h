// The one place that includes the OpenGL headers. Drawing code checks
// NGL::IsContextAvailable() so that it is harmless in tests and tools without a window.
#pragma once

#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

namespace NGL
{
// Set by the application right after it made its GL context current, and
// cleared before the context goes away. Never set in unit tests.
bool IsContextAvailable();
void SetContextAvailable(bool available);
} // namespace NGL
