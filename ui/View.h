// The application's view: the logical 800 x 600 layout size and the projections.
// Only GL state is touched; nothing here is owned.
#pragma once

#include "engine/ScreenMapping.h"
#include "engine/Vector4.h"

class CView
{
  public:
    void SetLogicalSize(int width, int height);
    int GetLogicalWidth() const { return m_width; }
    int GetLogicalHeight() const { return m_height; }

    void SetPerspective(int viewportWidth, int viewportHeight);
    void SetOrtho(int viewportWidth, int viewportHeight, bool flipY);
    // The same projection onto the given part of the drawable.
    void SetOrtho(const SViewport& viewport, bool flipY);
    void ApplyTransform();
    void RotateX();
    void RotateY();
    void RotateZ();

    void SetScale(float scale) { m_scale = scale; }
    void SetPosition(const CVector4& position) { m_position = position; }
    void SetRotation(float x, float y, float z);
    float GetAspect() const { return m_aspect; }

    // The part of the drawable the logical screen is shown in: the frame's
    // letterbox, or the logical size itself without a frame.
    static SViewport LogicalViewport();
    // glViewport onto that part (the frame keeps the margins out with a scissor).
    static void ApplyLogicalViewport();

  private:
    int m_width = 1024;
    int m_height = 768;
    float m_perspective_near = 0.1f;
    float m_perspective_far = 100.0f;
    float m_ortho_near = -50.0f;
    float m_ortho_far = 50.0f;
    float m_field_of_view = 70.0f;
    float m_scale = 1.0f;
    float m_aspect = 1.3333334f;
    CVector4 m_position{0.0f, 0.0f, 0.0f, 1.0f};
    float m_angle_x = 0.0f;
    float m_angle_y = 0.0f;
    float m_angle_z = 0.0f;
};
