#pragma once

#include <cstdint>

#include <QString>

#include "netware/NWEntryPoint.h"
#include "netware/NWResultCodes.h"
#include "netware/NWUnit.h"
#include "netware/nwclient.h"
#include "runtime/LibraryLoader.h"

// Directory services: the directory and locale libraries and the one directory context the whole
// process works in. Constructing TNWNDS loads both libraries, binds the directory calls and creates the
// context; destroying it frees the context.
class TNWNDS : public TNWUnit<TNWNDS>
{
public:
    struct State
    {
        TLibraryLoader::Handle directory = nullptr;
        TLibraryLoader::Handle locale = nullptr;
        TNWResultCodes codes;
        // 0 = none.
        uint32_t context = 0;

        // A slot for every entry point of both libraries, under the entry point's name.
#define NW_DIRECTORY_SLOT(name) NW_ENTRY_POINT(name, directory)
#define NW_LOCALE_SLOT(name) NW_ENTRY_POINT(name, locale)
        NW_DIRECTORY_ENTRY_POINTS(NW_DIRECTORY_SLOT)
        NW_LOCALE_ENTRY_POINTS(NW_LOCALE_SLOT)
#undef NW_DIRECTORY_SLOT
#undef NW_LOCALE_SLOT

        // Every call that directory services need before they can start, in the order they are bound.
        bool BindDirectoryCalls();
    };

    TNWNDS();
    ~TNWNDS();
    TNWNDS(const TNWNDS &) = delete;
    TNWNDS &operator=(const TNWNDS &) = delete;
};

constexpr uint32_t kNWDSDereferenceAliases = 1;
constexpr uint32_t kNWDSTranslateStrings = 2;
constexpr uint32_t kNWDSTypelessNames = 4;
constexpr uint32_t kNWDSAsyncMode = 8;
constexpr uint32_t kNWDSCanonicalizeNames = 16;
constexpr uint32_t kNWDSDereferenceBaseClass = 64;
constexpr uint32_t kNWDSDisallowReferrals = 128;

bool IsDirectoryServer(uint32_t conn);
bool InitDirectoryServices();
bool DoneDirectoryServices();

// Operations on the process-wide directory context.
QString GetContextName();
bool SetContextName(const QString &name);
void ResetContext();
bool FreeContext(uint32_t context);
uint32_t GetContextFlags();
// Adds flag values; never removes any.
bool SetContextFlag(uint32_t bits);
bool ClearContextFlag(uint32_t bits);
QString CanonicalName(const QString &name);
QString WhoAmI();
