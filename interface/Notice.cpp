#include "interface/Notice.h"

#include "engine/GLHeaders.h"
#include "engine/UserFiles.h"
#include "ui/Hint.h"
#include "ui/Frame.h"
#include "ui/View.h"

namespace NInterface
{
void CNotice::Update(float dt)
{
    std::string waiting = NUserFiles::TakeNotice();
    if (!waiting.empty())
    {
        m_text = std::move(waiting);
        m_left_ms = kShowMs;
        return;
    }
    if (m_left_ms > 0.0f)
        m_left_ms -= dt;
}

void CNotice::Render()
{
    const IFrame* app = IFrame::Instance();
    if (!IsShown() || app == nullptr || !NGL::IsContextAvailable())
        return;
    // Whatever projection the screen below left behind, the box is placed in
    // the layout space and drawn over everything.
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    CView::ApplyLogicalViewport();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, app->GetLogicalWidth(), app->GetLogicalHeight(), 0.0, -50.0, 50.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    CHint::Draw(m_text.c_str(), 0.0f, kTop, kTextSize, false, true);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}
} // namespace NInterface
