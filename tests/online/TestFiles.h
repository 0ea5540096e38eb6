#pragma once

#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <vector>

namespace TestFiles {

inline void writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::optional<std::string> readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::set<std::string> entries(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// A fresh folder for one test, removed with everything in it afterwards.
class Folder {
public:
    // By the native names: Qt cannot remove an entry whose name is no valid text.
    ~Folder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path(), ignored);
    }
    std::string path() const { return dir_.path().toStdString(); }
    std::string file(const std::string& name) const { return path() + "/" + name; }

private:
    QTemporaryDir dir_;
};

// Sets or removes environment variables for the lifetime of the object.
class EnvironmentOverride {
public:
    EnvironmentOverride(std::initializer_list<std::pair<const char*, const char*>> values)
    {
        for (const auto& [name, value] : values) {
            const char* old = std::getenv(name);
            saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
            apply(name, value);
        }
    }
    ~EnvironmentOverride()
    {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            apply(it->name.c_str(), it->value ? it->value->c_str() : nullptr);
    }
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

private:
    struct Saved {
        std::string name;
        std::optional<std::string> value;
    };
    static void apply(const char* name, const char* value)
    {
#ifdef _WIN32
        _putenv_s(name, value ? value : ""); // an empty value removes the variable
#else
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
#endif
    }
    std::vector<Saved> saved_;
};

// No proxy from the surroundings may carry a test's request off the loopback.
inline EnvironmentOverride withoutProxies()
{
    return {{"http_proxy", nullptr},  {"HTTP_PROXY", nullptr}, {"https_proxy", nullptr},
            {"HTTPS_PROXY", nullptr}, {"all_proxy", nullptr},  {"ALL_PROXY", nullptr}};
}

} // namespace TestFiles
