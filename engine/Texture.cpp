#include "engine/Texture.h"

#include "engine/GLHeaders.h"
#include "engine/ResourceManager.h"

namespace
{
char LastChar(const std::string& name)
{
    return name.empty() ? '\0' : name.back();
}

CFileBuffer ReadThrough(CResourceManager* resourceManager, const std::string& fileName)
{
    return resourceManager ? resourceManager->Load(fileName) : CResourceManager::LoadLooseFile(fileName);
}

// A grey picture loaded as a colour picture is expanded, so the upload never
// reads past the pixel buffer.
void ExpandGreyToRgb(NImageDecoder::SImage& image)
{
    if (image.components != 1)
        return;
    std::vector<uint8_t> rgb(image.pixels.size() * 3);
    for (size_t i = 0; i < image.pixels.size(); ++i)
        rgb[i * 3] = rgb[i * 3 + 1] = rgb[i * 3 + 2] = image.pixels[i];
    image.pixels.swap(rgb);
    image.components = 3;
}
} // namespace

CTexture::~CTexture()
{
    Release();
}

bool CTexture::LoadFromResource(CResourceManager* resourceManager, const std::string& fileName, bool wrap,
                                bool mipmaps)
{
    char last = LastChar(fileName);
    if (last != 'a' && last != 'A' && last != 'g' && last != 'G' && last != 's' && last != 'S')
        return true; // other kinds load nothing, by design
    CFileBuffer buffer = ReadThrough(resourceManager, fileName);
    if (buffer.IsEmpty())
        return false;
    if (last == 'a' || last == 'A')
        return LoadTarga(buffer.GetData(), buffer.GetSize(), wrap, mipmaps);
    if (last == 'g' || last == 'G')
        return LoadJpeg(buffer.GetData(), buffer.GetSize(), wrap, mipmaps);
    return LoadDds(buffer.GetData(), buffer.GetSize(), wrap);
}

bool CTexture::LoadWithAlpha(CResourceManager* resourceManager, const std::string& colourFileName,
                             const std::string& alphaFileName, bool wrap, bool mipmaps)
{
    CFileBuffer colourFile = ReadThrough(resourceManager, colourFileName);
    CFileBuffer alphaFile = ReadThrough(resourceManager, alphaFileName);
    NImageDecoder::SImage colour, alpha, combined;
    if (!NImageDecoder::DecodeJpeg(colourFile.GetData(), colourFile.GetSize(), colour) ||
        !NImageDecoder::DecodeJpeg(alphaFile.GetData(), alphaFile.GetSize(), alpha) ||
        !NImageDecoder::CombineAlpha(colour, alpha, combined))
        return false;
    LoadImage(combined, wrap, mipmaps);
    return true;
}

bool CTexture::LoadTarga(const uint8_t* data, size_t size, bool wrap, bool mipmaps)
{
    NImageDecoder::SImage image;
    if (!NImageDecoder::DecodeTarga(data, size, image))
        return false;
    LoadImage(image, wrap, mipmaps);
    return true;
}

bool CTexture::LoadJpeg(const uint8_t* data, size_t size, bool wrap, bool mipmaps)
{
    NImageDecoder::SImage image;
    if (!NImageDecoder::DecodeJpeg(data, size, image))
        return false;
    ExpandGreyToRgb(image);
    LoadImage(image, wrap, mipmaps);
    return true;
}

void CTexture::LoadImage(const NImageDecoder::SImage& image, bool wrap, bool mipmaps)
{
    Release();
    m_width = image.width;
    m_height = image.height;
    m_components = image.components;
    size_t needed = static_cast<size_t>(image.width) * static_cast<size_t>(image.height) *
                    static_cast<size_t>(image.components);
    if (!NGL::IsContextAvailable() || image.width <= 0 || image.height <= 0 || image.pixels.size() < needed ||
        image.components < 1 || image.components > 4)
        return;

    GLenum format = image.components == 4 ? GL_RGBA : image.components == 1 ? GL_LUMINANCE : GL_RGB;
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (mipmaps)
    {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        GLint wrapMode = wrap ? GL_REPEAT : GL_CLAMP;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapMode);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapMode);
        gluBuild2DMipmaps(GL_TEXTURE_2D, image.components, image.width, image.height, format,
                          GL_UNSIGNED_BYTE, image.pixels.data());
    }
    else
    {
        // Without mipmaps the wrap flag is not used.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, image.components, image.width, image.height, 0, format,
                     GL_UNSIGNED_BYTE, image.pixels.data());
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    m_gl_name = name;
}

bool CTexture::LoadDds(const uint8_t* data, size_t size, bool wrap)
{
    NImageDecoder::SDdsImage image;
    if (!NImageDecoder::DecodeDds(data, size, image))
        return false;
    Release();
    m_width = image.levels[0].width;
    m_height = image.levels[0].height;
    m_components = image.components;
    if (!NGL::IsContextAvailable())
        return true;

    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    GLint wrapMode = wrap ? GL_REPEAT : GL_CLAMP;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapMode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapMode);
    // Only the levels stored in the file exist.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(image.levels.size()) - 1);
    for (size_t level = 0; level < image.levels.size(); ++level)
    {
        const NImageDecoder::SDdsLevel& l = image.levels[level];
        GLint lv = static_cast<GLint>(level);
        switch (image.format)
        {
        case NImageDecoder::EDdsFormat::Dxt1:
        case NImageDecoder::EDdsFormat::Dxt3:
        case NImageDecoder::EDdsFormat::Dxt5:
        {
            GLenum internal =
                image.format == NImageDecoder::EDdsFormat::Dxt1   ? GL_COMPRESSED_RGBA_S3TC_DXT1_EXT
                : image.format == NImageDecoder::EDdsFormat::Dxt3 ? GL_COMPRESSED_RGBA_S3TC_DXT3_EXT
                                                                  : GL_COMPRESSED_RGBA_S3TC_DXT5_EXT;
            glCompressedTexImage2D(GL_TEXTURE_2D, lv, internal, l.width, l.height, 0,
                                   static_cast<GLsizei>(l.data.size()), l.data.data());
            break;
        }
        default:
        {
            GLenum format = image.format == NImageDecoder::EDdsFormat::Bgra  ? GL_BGRA
                            : image.format == NImageDecoder::EDdsFormat::Bgr ? GL_BGR
                                                                             : GL_LUMINANCE;
            GLint internal = image.format == NImageDecoder::EDdsFormat::Bgra  ? GL_RGBA
                             : image.format == NImageDecoder::EDdsFormat::Bgr ? GL_RGB
                                                                              : GL_LUMINANCE;
            int rowBytes = l.width * image.components;
            if (rowBytes % 4 != 0)
                glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
            glTexImage2D(GL_TEXTURE_2D, lv, internal, l.width, l.height, 0, format, GL_UNSIGNED_BYTE,
                         l.data.data());
            if (rowBytes % 4 != 0)
                glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
            break;
        }
        }
    }
    m_gl_name = name;
    return true;
}

void CTexture::Release()
{
    if (m_gl_name != 0)
    {
        if (NGL::IsContextAvailable())
        {
            GLuint name = m_gl_name;
            glDeleteTextures(1, &name);
        }
        m_gl_name = 0;
    }
}

void CTexture::Bind() const
{
    if (NGL::IsContextAvailable())
        glBindTexture(GL_TEXTURE_2D, m_gl_name);
}

void CTexture::Draw(float x, float y, float z) const
{
    if (m_gl_name == 0 || !NGL::IsContextAvailable())
        return;
    float w = static_cast<float>(m_width), h = static_cast<float>(m_height);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(x, y, z);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(x, y + h, z);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(x + w, y, z);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(x + w, y + h, z);
    glEnd();
}
