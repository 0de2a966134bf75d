#include "engine/Sprite.h"

#include "engine/GLHeaders.h"
#include "engine/KeyValueFile.h"
#include "engine/ResourceManager.h"
#include "engine/Texture.h"

#include <algorithm>

namespace
{
// An alpha file name shorter than this means "no alpha file" (the default "0").
constexpr size_t kMinAlphaNameLength = 4;
} // namespace

CSprite::CSprite(const CSprite& other)
{
    *this = other;
}

CSprite& CSprite::operator=(const CSprite& other)
{
    if (this == &other)
        return *this;
    // Assigning a copy back to the sprite it came from keeps the texture and its ownership.
    bool sameTexture = m_texture == other.m_texture;
    if (!sameTexture)
        ReleaseOwnedTexture();
    m_position = other.m_position;
    m_vector = other.m_vector;
    m_texture = other.m_texture;
    m_resource_manager = other.m_resource_manager;
    m_groups = other.m_groups;
    m_frames = other.m_frames;
    m_frame_width = other.m_frame_width;
    m_frame_height = other.m_frame_height;
    m_frame = other.m_frame;
    m_group = other.m_group;
    m_blend = other.m_blend;
    if (!sameTexture)
        m_owns_texture = false; // copies borrow the texture
    m_flip = other.m_flip;
    m_reverse = other.m_reverse;
    m_elapsed = other.m_elapsed;
    m_frame_time = other.m_frame_time;
    m_file_name = other.m_file_name;
    return *this;
}

CSprite::~CSprite()
{
    ReleaseOwnedTexture();
}

void CSprite::ReleaseOwnedTexture()
{
    if (m_owns_texture)
        delete m_texture;
    m_texture = nullptr;
    m_owns_texture = false;
}

bool CSprite::Load(CResourceManager* resourceManager, const std::string& fileName)
{
    // Reloading keeps the texture object, so copies that borrow it show the new picture.
    if (m_owns_texture && m_texture)
        m_texture->Release();
    m_resource_manager = resourceManager;
    m_file_name = fileName;

    CKeyValueFile description;
    bool found = description.LoadResource(resourceManager, fileName);
    std::string imageName = description.GetString("file_name", "0");
    std::string alphaName = description.GetString("file_alpha", "0");
    bool wrap = ToBool(description.GetString("tex_wrap", "0"));
    bool mipmaps = ToBool(description.GetString("tex_dynamic", "0"));
    // The cell size divides by these: counts below 1 count as 1.
    m_groups = std::max(1, ToInt(description.GetString("groups", "1")));
    m_frames = std::max(1, ToInt(description.GetString("frames", "1")));

    if (!m_texture || !m_owns_texture)
    {
        m_texture = new CTexture();
        m_owns_texture = true;
    }
    if (alphaName.size() < kMinAlphaNameLength)
        m_texture->LoadFromResource(resourceManager, imageName, wrap, mipmaps);
    else
        m_texture->LoadWithAlpha(resourceManager, imageName, alphaName, wrap, mipmaps);

    m_frame_width = static_cast<float>(m_texture->GetWidth() / m_frames);
    m_frame_height = static_cast<float>(m_texture->GetHeight() / m_groups);
    m_frame = 0;
    m_group = 0;
    return found;
}

void CSprite::SetGroup(int group)
{
    m_group = group < m_groups ? group : 0;
}

void CSprite::SetFrame(int frame)
{
    if (frame < m_frames)
    {
        m_frame = frame;
        m_elapsed = frame * m_frame_time;
    }
    else
    {
        m_frame = 0;
        m_elapsed = 0;
    }
}

void CSprite::ResetTime()
{
    m_elapsed = m_reverse ? m_frame_time * m_frames : 0;
}

void CSprite::Advance(int milliseconds)
{
    m_elapsed += milliseconds;
    if (m_elapsed <= m_frame_time)
        return;
    if (m_reverse)
    {
        if (--m_frame < 0)
            m_frame = m_frames - 1;
    }
    else
    {
        if (++m_frame >= m_frames)
            m_frame = 0;
    }
    m_elapsed = 0;
}

bool CSprite::IsDrawable() const
{
    return NGL::IsContextAvailable() && m_texture && m_texture->GetGLName() != 0 && m_frames > 0 && m_groups > 0;
}

void CSprite::GetTexCoords(float& u0, float& u1, float& v0, float& v1) const
{
    const float frames = static_cast<float>(std::max(m_frames, 1)), groups = static_cast<float>(std::max(m_groups, 1));
    u0 = static_cast<float>(m_frame) / frames;
    u1 = std::min(1.0f, static_cast<float>(m_frame + 1) / frames);
    v0 = static_cast<float>(m_group) / groups;
    v1 = std::min(1.0f, static_cast<float>(m_group + 1) / groups);
    if (m_flip)
        std::swap(v0, v1);
}

void CSprite::Draw(bool bindTexture) const
{
    if (!IsDrawable())
        return;
    if (bindTexture)
        glBindTexture(GL_TEXTURE_2D, m_texture->GetGLName());
    if (m_blend)
    {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
    }
    glEnable(GL_TEXTURE_2D);

    float u0 = 0.0f, u1 = 0.0f, v0 = 0.0f, v1 = 0.0f;
    GetTexCoords(u0, u1, v0, v1);
    float hw = m_frame_width / 2.0f, hh = m_frame_height / 2.0f;
    float x = m_position.x, y = m_position.y, z = m_position.z;

    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(u1, v0);
    glVertex3f(x + hw, y - hh, z);
    glTexCoord2f(u0, v0);
    glVertex3f(x - hw, y - hh, z);
    glTexCoord2f(u1, v1);
    glVertex3f(x + hw, y + hh, z);
    glTexCoord2f(u0, v1);
    glVertex3f(x - hw, y + hh, z);
    glEnd();

    if (m_blend)
        glDisable(GL_BLEND);
}
