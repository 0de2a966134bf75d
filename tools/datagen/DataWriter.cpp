#include "DataWriter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace NDataGen
{
CDataWriter::CDataWriter(std::string outputFolder) : m_output_folder(std::move(outputFolder)) {}

void CDataWriter::Add(const std::string& name, Bytes data)
{
    m_files[name] = std::move(data);
}

void CDataWriter::AddText(const std::string& name, const std::string& text)
{
    Add(name, Bytes(text.begin(), text.end()));
}

void CDataWriter::AddLoose(const std::string& name, Bytes data)
{
    m_loose_only[name] = std::move(data);
}

void CDataWriter::AddLoose(const std::string& name, const std::string& text)
{
    AddLoose(name, Bytes(text.begin(), text.end()));
}

bool CDataWriter::WriteLoose() const
{
    return WriteFiles(m_files) && WriteFiles(m_loose_only);
}

bool CDataWriter::WriteFiles(const std::map<std::string, Bytes>& files) const
{
    namespace fs = std::filesystem;
    for (const auto& [name, data] : files)
    {
        fs::path path = fs::path(m_output_folder) / name;
        std::error_code ec;
        fs::create_directories(path.parent_path(), ec);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
        if (!out)
        {
            std::fprintf(stderr, "datagen: cannot write %s\n", path.c_str());
            return false;
        }
    }
    return true;
}
} // namespace NDataGen
