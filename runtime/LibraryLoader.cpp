#include "runtime/LibraryLoader.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>

#include <filesystem>
#include <string_view>
#endif

TLibraryLoader &TLibraryLoader::Platform()
{
    static TPlatformLibraryLoader loader;
    return loader;
}

TPlatformLibraryLoader::TPlatformLibraryLoader(std::string folder) : m_folder(std::move(folder)) {}

TLibraryLoader::Handle TPlatformLibraryLoader::LoadLibrary(const char *fileName)
{
    const std::string path = m_folder.empty() ? std::string(fileName) : m_folder + "/" + fileName;
#ifdef _WIN32
    return ::LoadLibraryA(path.c_str());
#else
    if (Handle library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); library || !m_folder.empty())
        return library;
    // The program's RUNPATH applies only while the program itself calls dlopen; a sanitizer's interceptor
    // in between hides it. Looking where the RUNPATH points, beside the program in a build and in the private
    // library folder once installed, does what it would: only when no library of that name was found at all.
    const char *why = ::dlerror();
    if (!why || std::string_view(why).rfind(fileName, 0) != 0)
        return nullptr;
    const std::string folder = PrivateFolder();
    if (folder.empty())
        return nullptr;
    return ::dlopen((std::filesystem::path(folder) / fileName).c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
}

std::string TPlatformLibraryLoader::PrivateFolder()
{
#ifdef _WIN32
    return {};
#else
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return (program.parent_path() / ".." / SEMBROLIN_PRIVATE_LIB_DIR).string();
#endif
}

void *TPlatformLibraryLoader::GetProcAddress(Handle library, const char *name)
{
    if (!library)
        return nullptr;
#ifdef _WIN32
    return reinterpret_cast<void *>(::GetProcAddress(static_cast<HMODULE>(library), name));
#else
    return ::dlsym(library, name);
#endif
}
