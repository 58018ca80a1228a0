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
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    if (error)
        return nullptr;
    for (const std::filesystem::path &candidate : {folder, folder / ".." / SEMBROLIN_PRIVATE_LIB_DIR})
        if (Handle library = ::dlopen((candidate / fileName).c_str(), RTLD_NOW | RTLD_LOCAL))
            return library;
    return nullptr;
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
