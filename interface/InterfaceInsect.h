// The little dragons that crawl over the menu windows. Each window keeps its own
// ten and runs the shared creation, steering and drawing steps below; they keep
// moving while the "show dragons" setting hides them.
#pragma once

#include "engine/Vector4.h"

#include <memory>
#include <vector>

class CSprite;

namespace NInterface
{
class CInterfaceInsect
{
public:
    static constexpr int kSwarmSize = 10;
    static constexpr float kStepMs = 6.0f; // speed and turn rate are per this many milliseconds
    using Swarm = std::vector<std::unique_ptr<CInterfaceInsect>>;

    CInterfaceInsect();
    virtual ~CInterfaceInsect();

    // Takes ownership of the insect's own sprite copy.
    void SetSprite(std::unique_ptr<CSprite> sprite);
    const CSprite* GetSprite() const { return m_sprite.get(); }

    void Update(float dt);
    // Only while dragons are shown in the settings.
    void Draw() const;

    // A window's ten insects from its copy of the registered dragon sprite (null: the
    // "menu_dragon" of the "main" group), spread along the bottom of the screen.
    static void CreateSwarm(Swarm& swarm, const CSprite* dragon = nullptr);
    // Each insect's own update, then the window's steering and recycling.
    static void UpdateSwarm(Swarm& swarm, float dt);
    static void DrawSwarm(const Swarm& swarm);
    // Now and then a new turn rate; back below the screen once it has wandered off.
    void Steer();

    const CVector4& GetPosition() const { return m_position; }
    void SetPosition(float x, float y, float z) { m_position = CVector4(x, y, z, 1.0f); }
    float GetSpeed() const { return m_speed; }
    void SetSpeed(float speed) { m_speed = speed; }
    // Degrees; 0 moves up the screen, 90 to the right.
    float GetHeading() const { return m_heading; }
    void SetHeading(float heading) { m_heading = heading; }
    float GetTurnRate() const { return m_turn_rate; }
    void SetTurnRate(float turnRate) { m_turn_rate = turnRate; }

private:
    std::unique_ptr<CSprite> m_sprite;
    CVector4 m_position{0.0f, 0.0f, 0.0f, 1.0f};
    float m_speed = 0.0f;
    float m_heading = 0.0f;
    float m_turn_rate = 0.0f;
};
} // namespace NInterface
