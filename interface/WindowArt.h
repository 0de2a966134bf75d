// Where the menu windows find their art: the pictures the interface resources
// registered in the "main" group under their list names, and the interface font
// (the one the hints are drawn with). Everything here is borrowed and may be null.
#pragma once

#include <memory>
#include <string>

class CBitmapText;
class CKeyValueFile;
class CScreen;
class CSimpleButton;
class CTexture;

namespace NInterface
{
// Null when the picture was never registered.
const CTexture* GetInterfacePicture(const std::string& name);
const CBitmapText* GetInterfaceFont();

// A window's layout file, read through the resource manager (empty when missing).
void LoadWindowLayout(CKeyValueFile& layout, const std::string& fileName);

// A button with the named picture, placed by the layout under its own name and
// added to the owner's controls.
std::unique_ptr<CSimpleButton> AddLayoutButton(CScreen* owner, const CKeyValueFile& layout, const char* name,
                                               const char* picture);

// The 2D view every menu window draws in: the layout space spread over the
// whole client area, origin top-left, y downward.
void SetupWindowView(float layoutWidth, float layoutHeight);

// A 1024 x 1024 window background centred on the 800 x 600 space, drawn with
// texturing on and the current colour. Nothing happens without a texture or context.
void DrawWindowBackground(const CTexture* picture);

// The start of a full-window menu's frame: its view, the screen cleared, the
// model-view matrix pushed, texturing on and the background drawn. Returns
// whether there is a GL context; EndWindowFrame(that) pops the matrix.
bool BeginWindowFrame(float layoutWidth, float layoutHeight, const CTexture* background);
void EndWindowFrame(bool gl);
} // namespace NInterface
