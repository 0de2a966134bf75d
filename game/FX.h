// The one list of live particles, updated and drawn by the game screen. Made
// on first request, deleted with the game screen; it owns its particles.
#pragma once

#include "engine/Vector4.h"
#include "game/Particle.h"

#include <memory>
#include <vector>

namespace NGame
{
class CFX
{
  public:
    static CFX* Instance();
    static void Destroy();

    CFX();
    virtual ~CFX();

    void Emit(const CVector4& position, const CVector4& velocity, float size);
    void Update(float dt);
    void Draw() const;

    size_t GetParticleCount() const { return m_particles.size(); }
    const CParticle& GetParticle(size_t index) const { return *m_particles[index]; }

  private:
    std::vector<std::unique_ptr<CParticle>> m_particles;
};
} // namespace NGame
