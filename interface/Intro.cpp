#include "interface/Intro.h"

#include "engine/AppSettings.h"
#include "engine/GLHeaders.h"
#include "engine/ResourceManager.h"
#include "engine/Texture.h"
#include "interface/WindowArt.h"
#include "ui/Frame.h"
#include "ui/View.h"

namespace NInterface
{
CIntro::CIntro() : m_picture(std::make_unique<CTexture>())
{
    m_picture->LoadFromResource(GetResourceManager(), kPictureFile, false, false);
}

CIntro::~CIntro() = default;

void CIntro::Activate()
{
    CScreen::Activate();
    if (!NGL::IsContextAvailable())
        return;
    IFrame* app = IFrame::Instance();
    int logicalWidth = app ? app->GetLogicalWidth() : CAppSettings::kLogicalWidth;
    int logicalHeight = app ? app->GetLogicalHeight() : CAppSettings::kLogicalHeight;
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
    CView::ApplyLogicalViewport();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, logicalWidth, logicalHeight, 0.0, -50.0, 50.0);
    glMatrixMode(GL_MODELVIEW);
}

void CIntro::Render()
{
    if (!NGL::IsContextAvailable())
        return;
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    // A 1024 x 1024 picture centred on the 800 x 600 space, like every menu background.
    DrawWindowBackground(m_picture.get());
    CScreen::Render();
    glPopMatrix();
}
} // namespace NInterface
