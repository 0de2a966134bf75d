// Many quads of one texture drawn with a single begin/end. Drawing a board of
// a thousand flowers one by one costs a thousand state changes and draw calls
// in the driver; a batch costs one, with the same pixels in the same order.
#pragma once

#include "engine/Vector4.h"

#include <vector>

class CSprite;

class CSpriteBatch
{
  public:
    // The quad that sprite.Draw(false) gives under a translation to at and a
    // rotation of angleDegrees about z, in the colour given.
    void Add(const CSprite& sprite, const CVector4& at, float angleDegrees, float r, float g, float b, float a);
    // Quad number `quad` of another batch, as that batch would draw it.
    void AddQuadOf(const CSpriteBatch& other, size_t quad);
    // Draws what was added, with blending as the first sprite asked for, and
    // empties the batch. The texture is the one bound; nothing without a context.
    void Flush();
    // Empties the batch without drawing.
    void Clear() { m_vertices.clear(); }
    size_t GetQuadCount() const { return m_vertices.size() / 4; }

    struct SVertex
    {
        float u, v;
        float x, y, z;
        float r, g, b, a;
    };
    const std::vector<SVertex>& GetVertices() const { return m_vertices; }

  private:
    std::vector<SVertex> m_vertices; // four per quad, in triangle-strip order
    bool m_blend = false;
};
