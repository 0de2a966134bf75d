// The picture shown while the program loads at start-up. It owns its texture
// and draws no pointer.
#pragma once

#include <memory>

#include "ui/Screen.h"

class CTexture;

namespace NInterface
{
class CIntro : public CScreen
{
public:
    static constexpr const char* kPictureFile = "mui/bgs/intro.jpg";

    CIntro();
    ~CIntro() override;

    void Activate() override;
    void Render() override;

    const CTexture* GetPicture() const { return m_picture.get(); }

private:
    std::unique_ptr<CTexture> m_picture;
};
} // namespace NInterface
