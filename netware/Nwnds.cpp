#include "netware/Nwnds.h"

#include "netware/NWBuffer.h"
#include "netware/NWText.h"
#include "netware/nwlib.h"

namespace {

using TNameBuffer = TNWBuffer<NW_NAME_BUFFER_SIZE>;

constexpr uint32_t kCanonicalFlags = kNWDSDereferenceAliases | kNWDSTranslateStrings | kNWDSCanonicalizeNames;

TNWNDS::State &state()
{
    return TNWNDS::Shared();
}

bool setRootName(uint32_t context)
{
    const auto root = TNameBuffer::FromText(QStringLiteral("[Root]"));
    return state().NWDSSetContext.Bound()(context, NW_DS_CTX_NAME, root.Chars()) == 0;
}

bool writeFlags(uint32_t flags)
{
    const NWDSSetContext_fn setContext = state().NWDSSetContext.Bound();
    return setContext && state().codes.Record(setContext(state().context, NW_DS_CTX_FLAGS, &flags)) == 0;
}

// The context's flags, or nothing when they cannot be read: a failed read must not be written back as
// "no flags", which would switch off every flag the context had.
bool readFlags(uint32_t &flags)
{
    const NWDSGetContext_fn getContext = state().NWDSGetContext.Bound();
    return getContext && state().codes.Record(getContext(state().context, NW_DS_CTX_FLAGS, &flags)) == 0;
}

} // namespace

bool TNWNDS::State::BindDirectoryCalls()
{
    return BindInOrder(NWLlocaleconv, NWInitUnicodeTables, NWDSCreateContext, NWDSFreeContext, NWDSSetContext,
                       NWDSAllocBuf, NWDSInitBuf, NWDSFreeBuf, NWDSDuplicateContext, NWDSPutAttrName,
                       NWDSPutAttrVal, NWDSGetAttrName, NWDSGetAttrVal, NWDSGetAttrCount, NWDSPutChange,
                       NWDSModifyObject, NWDSComputeAttrValSize, NWDSRead, NWDSRemoveObject,
                       NWDSGenerateObjectKeyPair, NWDSGetObjectName, NWDSGetObjectCount, NWDSAddObject,
                       NWDSList, NWFreeUnicodeTables, NWDSGetContext, NWDSOpenStream);
}

TNWNDS::TNWNDS()
{
    State &shared = Shared();
    shared.codes.lastError = 0;
    shared.context = 0;
    TLibraryLoader &loader = TLibraryLoader::Current();
    shared.directory = loader.LoadLibrary(NW_LIB_DIRECTORY);
    shared.locale = loader.LoadLibrary(NW_LIB_LOCALE);
    if (!shared.directory || !shared.locale) {
        shared.codes.lastError = TNWResultCodes::kLibraryMissing;
        return;
    }
    if (!shared.BindDirectoryCalls())
        return;
    shared.context = shared.NWDSCreateContext.Bound()();
    setRootName(shared.context);
}

TNWNDS::~TNWNDS()
{
    State &shared = Shared();
    if (shared.context)
        FreeContext(shared.context);
    shared.context = 0;
}

bool IsDirectoryServer(uint32_t conn)
{
    const NWIsDSServer_fn isDirectoryServer = state().NWIsDSServer.Bound();
    if (!isDirectoryServer)
        return false;
    TNameBuffer treeName;
    const uint32_t result = isDirectoryServer(ResolveConnection(conn), treeName.Chars());
    state().codes.lastResult = result;
    // The call answers with a nonzero value for a directory server, so 0 is the failure here.
    if (result == 0) {
        state().codes.lastError = TNWResultCodes::kNoResult;
        return false;
    }
    return !treeName.Text().isEmpty();
}

bool InitDirectoryServices()
{
    TNWNDS::State &shared = state();
    if (!shared.directory || !shared.locale || !shared.BindDirectoryCalls())
        return false;
    if (shared.context == 0)
        shared.context = shared.NWDSCreateContext.Bound()();
    TNWBuffer<NW_LOCALE_INFO_SIZE> locale;
    shared.NWLlocaleconv.Bound()(locale.Bytes());
    const uint32_t result = shared.NWInitUnicodeTables.Bound()(locale.UInt32(NW_LOCALE_COUNTRY),
                                                               locale.UInt32(NW_LOCALE_CODE_PAGE));
    return result == 0 && shared.context != 0;
}

bool DoneDirectoryServices()
{
    const NWFreeUnicodeTables_fn freeTables = state().NWFreeUnicodeTables.Bound();
    return freeTables && state().codes.Record(freeTables()) == 0;
}

QString GetContextName()
{
    const NWDSGetContext_fn getContext = state().NWDSGetContext.Bound();
    if (!getContext)
        return {};
    TNameBuffer name;
    const uint32_t result = getContext(state().context, NW_DS_CTX_NAME, name.Bytes());
    return state().codes.Record(result) == 0 ? name.Text() : QString();
}

bool SetContextName(const QString &name)
{
    const NWDSSetContext_fn setContext = state().NWDSSetContext.Bound();
    if (!setContext)
        return false;
    const auto text = TNameBuffer::FromText(StripBoth(name));
    return state().codes.Record(setContext(state().context, NW_DS_CTX_NAME, text.Chars())) == 0;
}

void ResetContext()
{
    TNWNDS::State &shared = state();
    FreeContext(shared.context);
    const NWDSCreateContext_fn createContext = shared.NWDSCreateContext.Bound();
    shared.context = createContext ? createContext() : 0;
    SetContextName(QStringLiteral("[Root]"));
}

bool FreeContext(uint32_t context)
{
    const NWDSFreeContext_fn freeContext = state().NWDSFreeContext.Bound();
    return freeContext && state().codes.Record(freeContext(context)) == 0;
}

uint32_t GetContextFlags()
{
    uint32_t flags = 0;
    return readFlags(flags) ? flags : 0;
}

bool SetContextFlag(uint32_t bits)
{
    uint32_t flags = 0;
    return readFlags(flags) && writeFlags(flags | bits);
}

bool ClearContextFlag(uint32_t bits)
{
    uint32_t flags = 0;
    return readFlags(flags) && writeFlags(flags & ~bits);
}

QString CanonicalName(const QString &name)
{
    TNWNDS::State &shared = state();
    const NWDSCanonicalizeName_fn canonicalize = shared.NWDSCanonicalizeName.Bound();
    const NWDSSetContext_fn setContext = shared.NWDSSetContext.Bound();
    uint32_t saved = 0;
    if (!canonicalize || !setContext || !readFlags(saved))
        return {};
    const uint32_t canonicalFlags = kCanonicalFlags;
    setContext(shared.context, NW_DS_CTX_FLAGS, &canonicalFlags);
    const auto input = TNameBuffer::FromText(name);
    TNWBuffer<NW_CONN_INFO_NAME_SIZE> canonical;
    const uint32_t result =
        shared.codes.Record(canonicalize(shared.context, input.Chars(), canonical.Chars()));
    setContext(shared.context, NW_DS_CTX_FLAGS, &saved);
    return result == 0 ? canonical.Text() : QString();
}

QString WhoAmI()
{
    const NWDSWhoAmI_fn whoAmI = state().NWDSWhoAmI.Bound();
    TNameBuffer name;
    return whoAmI && whoAmI(state().context, name.Chars()) == 0 ? name.Text() : QString();
}
