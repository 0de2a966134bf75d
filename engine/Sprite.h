// An animated cell of a sprite sheet (rows = groups, columns = frames). The
// sprite loaded from a .spr file owns its texture; copies borrow it and must not outlive it.
#pragma once

#include "engine/Vector4.h"

#include <string>

class CResourceManager;
class CTexture;

class CSprite
{
  public:
    static constexpr int kDefaultFrameTime = 50;

    CSprite() = default;
    // The copy shares the texture and never owns it.
    CSprite(const CSprite& other);
    CSprite& operator=(const CSprite& other);
    virtual ~CSprite();

    // Reads the .spr description and loads its picture. Counts of frames or
    // groups below 1 count as 1. False when the description is missing.
    bool Load(CResourceManager* resourceManager, const std::string& fileName);

    void SetGroup(int group);
    void SetFrame(int frame);
    void ResetTime();
    // At most one frame per call; loops for ever.
    void Advance(int milliseconds);
    void Draw(bool bindTexture = true) const;
    // Whether Draw would draw anything: a loaded texture and frames.
    bool IsDrawable() const;
    // The current frame's corners in the picture, as Draw uses them.
    void GetTexCoords(float& u0, float& u1, float& v0, float& v1) const;

    void SetFrameTime(int milliseconds) { m_frame_time = milliseconds; }
    void SetSize(float width, float height)
    {
        m_frame_width = width;
        m_frame_height = height;
    }
    void SetBlend(bool blend) { m_blend = blend; }
    void SetFlip(bool flip) { m_flip = flip; }
    void SetReverse(bool reverse) { m_reverse = reverse; }
    bool IsReverse() const { return m_reverse; }
    bool IsBlend() const { return m_blend; }
    bool IsFlip() const { return m_flip; }

    int GetGroup() const { return m_group; }
    int GetFrame() const { return m_frame; }
    int GetGroupCount() const { return m_groups; }
    int GetFrameCount() const { return m_frames; }
    int GetFrameTime() const { return m_frame_time; }
    int GetElapsed() const { return m_elapsed; }
    float GetWidth() const { return m_frame_width; }
    float GetHeight() const { return m_frame_height; }
    CTexture* GetTexture() const { return m_texture; }
    bool OwnsTexture() const { return m_owns_texture; }
    const std::string& GetFileName() const { return m_file_name; }

    // Centre of the sprite in screen units; z is the depth.
    float GetX() const { return m_position.x; }
    float GetY() const { return m_position.y; }
    float GetZ() const { return m_position.z; }
    void SetX(float x) { m_position.x = x; }
    void SetY(float y) { m_position.y = y; }
    void SetZ(float z) { m_position.z = z; }
    void SetPosition(float x, float y, float z = 0.0f)
    {
        m_position.x = x;
        m_position.y = y;
        m_position.z = z;
    }
    void SetPosition(const CVector4& position) { m_position = position; }
    const CVector4& GetPosition() const { return m_position; }
    // A second vector carried along with the sprite for its owner's use.
    void SetVector(const CVector4& v) { m_vector = v; }
    const CVector4& GetVector() const { return m_vector; }

  private:
    void ReleaseOwnedTexture();

    CVector4 m_position;
    CVector4 m_vector;
    CTexture* m_texture = nullptr; // owned only when m_owns_texture
    CResourceManager* m_resource_manager = nullptr;
    int m_groups = 0;
    int m_frames = 0;
    float m_frame_width = 0.0f;
    float m_frame_height = 0.0f;
    int m_frame = 0;
    int m_group = 0;
    bool m_blend = false;
    bool m_owns_texture = false;
    bool m_flip = false;
    bool m_reverse = false;
    int m_elapsed = 0;
    int m_frame_time = kDefaultFrameTime;
    std::string m_file_name;
};

// The copy an object owns and draws.
using CSpriteInstance = CSprite;
