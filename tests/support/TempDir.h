#pragma once

// A fresh temporary folder, removed with everything in it when the object goes. Used by the
// tests, benchmarks and fuzz targets (standard library only).

#include <filesystem>
#include <string>
#include <unistd.h>

namespace zentro::test {

class CTempDir {
public:
    // Makes <temp>/zentro-NAME-XXXXXX; Path() is empty when that fails.
    explicit CTempDir(const std::string& name)
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / ("zentro-" + name + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data()) != nullptr)
            m_dir = pattern;
    }
    ~CTempDir()
    {
        if (m_dir.empty())
            return;
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::string& Path() const { return m_dir; }
    std::string Path(const std::string& name) const { return m_dir + "/" + name; }

private:
    std::string m_dir;
};

} // namespace zentro::test
