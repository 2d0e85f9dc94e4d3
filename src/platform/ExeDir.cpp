#include "platform/ExeDir.h"

#include <mutex>
#include <unistd.h>

#include <climits>

namespace zentro {
namespace {
std::mutex g_exeDirMutex;
std::string g_szExeDir;
std::string g_exePath;
bool g_overridden = false;
std::string g_skinRoot; // empty: the executable's directory

void ResolveReal()
{
    char buf[PATH_MAX + 1];
    ssize_t n = ::readlink("/proc/self/exe", buf, PATH_MAX);
    if (n <= 0) {
        g_exePath = "./zentro";
    } else {
        g_exePath.assign(buf, static_cast<size_t>(n));
    }
    auto slash = g_exePath.rfind('/');
    g_szExeDir = slash == std::string::npos ? std::string("./") : g_exePath.substr(0, slash + 1);
}
} // namespace

const std::string& GetExeDir()
{
    std::lock_guard<std::mutex> lock(g_exeDirMutex);
    if (g_szExeDir.empty())
        ResolveReal();
    return g_szExeDir;
}

std::string GetModuleFileName()
{
    std::lock_guard<std::mutex> lock(g_exeDirMutex);
    if (g_szExeDir.empty())
        ResolveReal();
    return g_overridden ? g_szExeDir + "zentro" : g_exePath;
}

bool IsExeDirOverridden()
{
    std::lock_guard<std::mutex> lock(g_exeDirMutex);
    return g_overridden;
}

void SetExeDirOverride(const std::string& dir)
{
    std::lock_guard<std::mutex> lock(g_exeDirMutex);
    if (dir.empty()) {
        g_overridden = false;
        ResolveReal();
        return;
    }
    g_overridden = true;
    g_szExeDir = dir.back() == '/' ? dir : dir + "/";
}

std::string GetSkinRoot()
{
    {
        std::lock_guard<std::mutex> lock(g_exeDirMutex);
        if (!g_skinRoot.empty())
            return g_skinRoot;
    }
    return GetExeDir();
}

void SetSkinRoot(const std::string& dir)
{
    std::lock_guard<std::mutex> lock(g_exeDirMutex);
    g_skinRoot = dir.empty() || dir.back() == '/' ? dir : dir + "/";
}

} // namespace zentro
