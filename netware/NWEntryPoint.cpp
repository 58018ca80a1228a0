#include "netware/NWEntryPoint.h"

#include "netware/Nwnds.h"
#include "netware/nwlib.h"

TLibraryLoader::Handle NWLibraryHandle(TNWLibrary library)
{
    switch (library) {
    case TNWLibrary::Calls:
        return TNWLib::Shared().calls;
    case TNWLibrary::Connections:
        return TNWLib::Shared().connections;
    case TNWLibrary::Directory:
        return TNWNDS::Shared().directory;
    case TNWLibrary::Locale:
        return TNWNDS::Shared().locale;
    }
    return nullptr;
}

void *NWLookUp(TNWLibrary library, const char *name)
{
    const TLibraryLoader::Handle handle = NWLibraryHandle(library);
    return handle ? TLibraryLoader::Current().GetProcAddress(handle, name) : nullptr;
}
