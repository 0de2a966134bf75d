#include "ui/Frame.h"

namespace
{
IFrame* g_frame = nullptr;
}

IFrame* IFrame::Instance()
{
    return g_frame;
}

void IFrame::SetInstance(IFrame* frame)
{
    g_frame = frame;
}
