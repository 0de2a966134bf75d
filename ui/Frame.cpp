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

void IFrame::GetWindowedRect(int& left, int& top, int& width, int& height) const
{
    int right = 0, bottom = 0;
    GetWindowRect(left, top, right, bottom);
    width = right - left;
    height = bottom - top;
}
