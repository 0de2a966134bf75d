#include "interface/WindowArt.h"

#include "engine/GLHeaders.h"
#include "engine/KeyValueFile.h"
#include "engine/ResourceGroup.h"
#include "engine/ResourceManager.h"
#include "engine/Texture.h"
#include "interface/InterfaceResources.h"
#include "ui/Frame.h"
#include "ui/Hint.h"
#include "ui/Screen.h"
#include "ui/SimpleButton.h"
#include "ui/View.h"

namespace NInterface
{
const CTexture* GetInterfacePicture(const std::string& name)
{
    // Through the menu's resources, which read a window's background on demand.
    if (const CInterfaceResources* resources = GetInterfaceResources())
        return resources->GetTexture(name);
    const CResourceGroup* group = CResourceGroup::GetGroup("main");
    return group != nullptr ? group->GetTexture(name) : nullptr;
}

const CBitmapText* GetInterfaceFont()
{
    return CHint::GetFont();
}

void LoadWindowLayout(CKeyValueFile& layout, const std::string& fileName)
{
    layout.LoadResource(GetResourceManager(), fileName);
}

std::unique_ptr<CSimpleButton> AddLayoutButton(CScreen* owner, const CKeyValueFile& layout, const char* name,
                                               const char* picture)
{
    auto button = std::make_unique<CSimpleButton>(owner, GetInterfacePicture(picture));
    button->LoadLayout(layout, name);
    owner->AddControl(button.get());
    return button;
}

void SetupWindowView(float layoutWidth, float layoutHeight)
{
    const IFrame* app = IFrame::Instance();
    if (app == nullptr || !NGL::IsContextAvailable())
        return;
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    // A window draws back to front, mostly at depth 0: what comes later must win at equal depth.
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_TEXTURE_2D);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    CView::ApplyLogicalViewport();
    glDisable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, layoutWidth, layoutHeight, 0.0, -50.0, 50.0);
    glMatrixMode(GL_MODELVIEW);
}

void DrawWindowBackground(const CTexture* picture)
{
    if (picture == nullptr || !NGL::IsContextAvailable())
        return;
    // A picture without alpha is opaque: blending it would only cost every pixel a read.
    const bool blending = glIsEnabled(GL_BLEND) == GL_TRUE;
    if (picture->GetComponents() == 3)
        glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    picture->Bind();
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(-112.0f, -212.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-112.0f, 812.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(912.0f, -212.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(912.0f, 812.0f);
    glEnd();
    if (blending)
        glEnable(GL_BLEND);
}

bool BeginWindowFrame(float layoutWidth, float layoutHeight, const CTexture* background)
{
    const bool gl = NGL::IsContextAvailable();
    SetupWindowView(layoutWidth, layoutHeight);
    if (gl)
    {
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glPushMatrix();
        glEnable(GL_TEXTURE_2D);
    }
    DrawWindowBackground(background);
    return gl;
}

void EndWindowFrame(bool gl)
{
    if (gl)
        glPopMatrix();
}
} // namespace NInterface
