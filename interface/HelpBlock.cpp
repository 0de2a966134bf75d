#include "interface/HelpBlock.h"

#include "engine/ResourceGroup.h"
#include "engine/Sprite.h"
#include "engine/XmlNode.h"
#include "interface/WindowArt.h"
#include "ui/ScrollingText.h"

namespace NInterface
{
CHelpBlock::CHelpBlock(const CXmlNode& element, int page) : m_page(page)
{
    if (const CXmlNode* pos = element.FindChild("pos"))
        m_position = pos->GetPosition();
    if (const CXmlNode* colour = element.FindChild("font_color"))
        m_font_colour = colour->GetColour();
    m_font_size = element.GetFloat("font_size", 0.0f);
    m_width = element.GetFloat("width", 0.0f);
    m_height = element.GetFloat("height", 0.0f);

    if (const CXmlNode* text = element.FindChild("text"))
    {
        m_text = text->GetText();
        // For a text block the height counts lines.
        m_text_block = std::make_unique<CScrollingText>(GetInterfaceFont(), m_width, m_font_size,
                                                        static_cast<int>(m_height));
        m_text_block->SetText(m_text.c_str(), static_cast<int>(m_text.size()));
    }

    const CXmlNode* image = element.FindChild("image");
    CResourceGroup* group = CResourceGroup::GetGroup("main");
    if (image != nullptr && group != nullptr)
    {
        const std::string file = image->GetText();
        const std::string name = PictureName(image->GetString("name", ""), file, page);
        // Every opening of the help builds its blocks again; the sheet is loaded once.
        m_picture = group->GetSprite(name);
        if (m_picture == nullptr)
        {
            group->AddSprite(file, name);
            m_picture = group->GetSprite(name);
        }
        m_animated = image->GetInt("animated", 0) != 0;
        if (m_picture != nullptr)
        {
            m_picture->SetPosition(m_position.x, m_position.y, m_position.z);
            m_picture->SetFrameTime(image->GetInt("frame_time", kDefaultFrameTime));
            m_picture->SetGroup(image->GetInt("group", 0));
            m_picture->SetBlend(true);
            m_picture->SetFlip(true);
            m_picture->SetSize(m_width, m_height);
        }
    }
}

CHelpBlock::~CHelpBlock() = default;

std::string CHelpBlock::PictureName(const std::string& given, const std::string& fileName, int page)
{
    return given.empty() ? fileName + std::to_string(page) : given;
}

void CHelpBlock::Draw() const
{
    if (m_picture != nullptr)
        m_picture->Draw(true);
    if (m_text_block != nullptr)
        m_text_block->Draw(m_position.x, m_position.y, m_font_colour.x, m_font_colour.y, m_font_colour.z,
                           m_font_colour.w);
}

void CHelpBlock::Update(float dt)
{
    if (m_picture != nullptr && m_animated)
        m_picture->Advance(static_cast<int>(dt));
}
} // namespace NInterface
