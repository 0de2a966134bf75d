// Collects every generated data file: writes it as a loose file under the
// output folder and keeps its bytes for the resource pack.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace NDataGen
{
using Bytes = std::vector<uint8_t>;

class CDataWriter
{
  public:
    explicit CDataWriter(std::string outputFolder);

    // name is relative, with forward slashes ("dat/game.txt").
    void Add(const std::string& name, Bytes data);
    void AddText(const std::string& name, const std::string& text);
    // Files that belong beside the program but not in the resource pack (web pages).
    void AddLoose(const std::string& name, Bytes data);
    void AddLoose(const std::string& name, const std::string& text);

    const std::map<std::string, Bytes>& Files() const { return m_files; }
    const std::string& OutputFolder() const { return m_output_folder; }
    const std::map<std::string, Bytes>& LooseOnlyFiles() const { return m_loose_only; }
    // Writes every file to disk; false (with a message on stderr) on the first failure.
    bool WriteLoose() const;

  private:
    bool WriteFiles(const std::map<std::string, Bytes>& files) const;

    std::string m_output_folder;
    std::map<std::string, Bytes> m_files;
    std::map<std::string, Bytes> m_loose_only;
};
} // namespace NDataGen
