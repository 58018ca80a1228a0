#include "netware/Nwnds.h"

#include <array>

#include "netware/NWText.h"
#include "netware/nwlib.h"

namespace {

using TNameBuffer = TNWBuffer<NW_NAME_BUFFER_SIZE>;

constexpr uint32_t kDirectoryBufferSize = NW_DS_BUFFER_SIZE;
constexpr uint32_t kReadOperation = 3;
constexpr uint32_t kReadValues = 1;
constexpr int32_t kNoIteration = -1;
// Far more parts than one attribute's values can take; a client whose iteration never ends stops here.
constexpr int kMaxReadParts = 1024;

// Two names occur twice (rows 15 and 80, 23 and 116); each row keeps its place.
constexpr std::array<const char *, kNWAttributeCount> kAttributeNames{
    "Account Balance", "ACL", "Aliased Object Name", "Allow Unlimited Credit", "Authority Revocation",
    "Back Link", "Bindery Object Restriction", "Bindery Property", "Bindery Type", "C", "CA Private Key",
    "CA Public Key", "Cartridge", "Certificate Revocation", "Certificate Validity Interval", "Object Class",
    "CN", "Convergence", "Cross Certificate Pair", "Default Queue", "Description", "Detect Intruder",
    "Device", "Revision", "EMail Address", "External Name", "Equivalent To Me", "External Synchronizer",
    "Facsimile Telephone Number", "Full Name", "Generational Qualifier", "GID", "Given Name",
    "Group Membership", "High Convergence Sync Interval", "Higher Privileges", "Home Directory",
    "Host Device", "Host Resource Name", "Host Server", "Inherited ACL", "Initials",
    "Intruder Attempt Reset Interval", "Intruder Lockout Reset Interval", "L", "Language", "Last Login Time",
    "Last Referenced Time", "Locked By Intruder", "Lockout After Detection", "Login Allowed Time Map",
    "Login Disabled", "Login Expiration Time", "Login Grace Limit", "Login Grace Remaining",
    "Login Intruder Address", "Login Intruder Attempts", "Login Intruder Limit", "Login Intruder Reset Time",
    "Login Maximum Simultaneous", "Login Script", "Login Time", "Low Convergence Reset Time",
    "Low Convergence Sync Interval", "Mailbox ID", "Mailbox Location", "Member", "Memory",
    "Message Routing Group", "Message Server", "Messaging Database Location", "Messaging Server",
    "Messaging Server Type", "Minimum Account Balance", "Network Address", "Network Access Restriction",
    "NNS Domain", "Notify", "O", "Obituary", "Object Class", "Operator", "OU", "Owner",
    "Page Description Language", "Partition Control", "Partition Creation Time", "Password Allow Change",
    "Password Expiration Interval", "Password Expiration Time", "Password Minimum Length",
    "Password Required", "Password Unique Required", "Passwords Used", "Path", "Physical Delivery Office Name",
    "Postal Address", "Postal Code", "Postal Office Box", "Postmaster", "Print Job Configuration",
    "Print Server", "Printer", "Printer Configuration", "Printer Control", "Private Key", "Profile",
    "Profile Membership", "Public Key", "Queue", "Queue Directory", "Received Up To", "Reference", "Replica",
    "Replica Up To", "Resource", "Revision", "Role Occupant", "S", "SA", "SAP Name", "Security Equals",
    "Security Flags", "See Also", "Serial Number", "Server", "Server Holds", "Status", "Supported Connections",
    "Supported Gateway", "Supported Services", "Supported Typefaces", "Surname", "Synchronizes Up To",
    "Telephone Number", "Title", "Type Creator Map", "UID", "Unknown", "Unknown Base Class", "User", "Version",
    "Volume"};

// A directory request buffer, freed however the read ends, but only when the client gave it: whatever a
// failed allocation leaves in the handle is not ours to free.
class TDirectoryBuffer
{
public:
    explicit TDirectoryBuffer(NWDSFreeBuf_fn freeBuffer) : m_free(freeBuffer) {}
    ~TDirectoryBuffer()
    {
        if (m_allocated && m_free)
            m_free(m_handle);
    }
    TDirectoryBuffer(const TDirectoryBuffer &) = delete;
    TDirectoryBuffer &operator=(const TDirectoryBuffer &) = delete;

    bool Allocate(NWDSAllocBuf_fn allocate)
    {
        m_allocated = allocate(kDirectoryBufferSize, &m_handle) == 0;
        return m_allocated;
    }
    NWDSBuf Handle() const { return m_handle; }

private:
    NWDSFreeBuf_fn m_free;
    NWDSBuf m_handle = nullptr;
    bool m_allocated = false;
};

// A context of one's own, freed however the read ends.
class TOwnContext
{
public:
    explicit TOwnContext(uint32_t context) : m_context(context) {}
    ~TOwnContext()
    {
        if (m_context)
            FreeContext(m_context);
    }
    TOwnContext(const TOwnContext &) = delete;
    TOwnContext &operator=(const TOwnContext &) = delete;

    uint32_t &Handle() { return m_context; }

private:
    uint32_t m_context;
};

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
    shared.started = false;
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
    shared.started = false;
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

uint32_t DuplicateContext()
{
    TNWNDS::State &shared = state();
    if (shared.context > 0) {
        const NWDSDuplicateContext_fn duplicate = shared.NWDSDuplicateContext.Bound();
        return duplicate ? duplicate(shared.context) : 0;
    }
    const NWDSCreateContext_fn createContext = shared.NWDSCreateContext.Bound();
    return createContext ? createContext() : 0;
}

bool UseContextName(uint32_t &context, const QString &name)
{
    TNWNDS::State &shared = state();
    const NWDSSetContext_fn setContext = shared.NWDSSetContext.Bound();
    if (!setContext)
        return false;
    const auto text = TNameBuffer::FromText(StripBoth(name));
    if (shared.codes.Record(setContext(context, NW_DS_CTX_NAME, text.Chars())) != 0)
        return false;
    FreeContext(shared.context);
    uint32_t copy = 0;
    if (const auto duplicateHandle = shared.NWDSDuplicateContextHandle.Fresh())
        duplicateHandle(context, &copy);
    else if (const NWDSDuplicateContext_fn duplicate = shared.NWDSDuplicateContext.Bound())
        copy = duplicate(context);
    shared.context = copy;
    return copy != 0;
}

QString MapNameToID(uint32_t conn, const QString &name)
{
    const NWDSMapNameToID_fn mapNameToID = state().NWDSMapNameToID.Bound();
    if (!mapNameToID)
        return {};
    const auto object = TNameBuffer::FromText(name);
    uint32_t id = 0;
    const uint32_t result = mapNameToID(state().context, ResolveConnection(conn), object.Chars(), &id);
    return state().codes.Record(result) == 0 ? IDText(LongSwap(id)) : QString();
}

uint32_t AuditObjectID(uint32_t conn, const QString &name)
{
    const NWDSAuditGetObjectID_fn auditObjectID = state().NWDSAuditGetObjectID.Bound();
    if (!auditObjectID)
        return 0;
    const auto object = TNameBuffer::FromText(name);
    conn = ResolveConnection(conn);
    uint32_t id = 0;
    return state().codes.Record(auditObjectID(state().context, object.Chars(), &conn, &id)) == 0 ? id : 0;
}

QString AttributeName(int n)
{
    return n >= 0 && n < kNWAttributeCount ? QLatin1String(kAttributeNames[std::size_t(n)]) : QString();
}

bool ReadFirstValue(uint32_t context, NWDSBuf buffer, int n, TNWBuffer<NW_NAME_BUFFER_SIZE> &value)
{
    TNWNDS::State &shared = state();
    const NWDSGetAttrCount_fn getCount = shared.NWDSGetAttrCount.Bound();
    const NWDSGetAttrName_fn getName = shared.NWDSGetAttrName.Bound();
    const NWDSGetAttrVal_fn getValue = shared.NWDSGetAttrVal.Bound();
    if (!getCount || !getName || !getValue)
        return false;
    uint32_t count = 0;
    if (shared.codes.Record(getCount(context, buffer, &count)) != 0 || count == 0)
        return false;
    // Only the first attribute and its first value are read, whatever counts the client gives.
    auto name = TNameBuffer::FromText(AttributeName(n));
    uint32_t valueCount = 0;
    uint32_t syntax = 0;
    if (shared.codes.Record(getName(context, buffer, name.Chars(), &valueCount, &syntax)) != 0)
        return false;
    return shared.codes.Record(getValue(context, buffer, syntax, value.Bytes())) == 0;
}

bool ReadAttribute(uint32_t context, const QString &object, int n, TNWBuffer<NW_NAME_BUFFER_SIZE> &value)
{
    TNWNDS::State &shared = state();
    const NWDSAllocBuf_fn allocate = shared.NWDSAllocBuf.Bound();
    const NWDSFreeBuf_fn freeBuffer = shared.NWDSFreeBuf.Bound();
    const NWDSInitBuf_fn initBuffer = shared.NWDSInitBuf.Bound();
    const NWDSPutAttrName_fn putName = shared.NWDSPutAttrName.Bound();
    const NWDSRead_fn read = shared.NWDSRead.Bound();
    if (!allocate || !freeBuffer || !initBuffer || !putName || !read)
        return false;
    // Declared in this order so that the reply is freed before the request.
    TDirectoryBuffer request(freeBuffer);
    if (!request.Allocate(allocate))
        return false;
    TDirectoryBuffer reply(freeBuffer);
    if (!reply.Allocate(allocate) || initBuffer(context, kReadOperation, request.Handle()) != 0)
        return false;
    const auto attribute = TNameBuffer::FromText(AttributeName(n));
    if (shared.codes.Record(putName(context, request.Handle(), attribute.Chars())) != 0)
        return false;
    const auto objectName = TNameBuffer::FromText(object);
    bool result = false;
    int32_t iteration = kNoIteration;
    for (int part = 0; part < kMaxReadParts; ++part) {
        if (shared.codes.Record(read(context, objectName.Chars(), kReadValues, 0, request.Handle(), &iteration,
                                     reply.Handle())) != 0)
            break;
        if (ReadFirstValue(context, reply.Handle(), n, value))
            result = true;
        if (iteration == kNoIteration)
            break;
    }
    return result;
}

bool ReadObjectAttribute(const QString &contextName, const QString &object, int n, QString &text)
{
    uint32_t handle = 0;
    if (contextName.isEmpty()) {
        const NWDSDuplicateContext_fn duplicate = state().NWDSDuplicateContext.Bound();
        handle = duplicate ? duplicate(state().context) : 0;
    } else {
        handle = DuplicateContext();
    }
    TOwnContext context(handle);
    if (!contextName.isEmpty() && !UseContextName(context.Handle(), contextName))
        return false;
    TNameBuffer value;
    if (!ReadAttribute(context.Handle(), object, n, value))
        return false;
    text = value.Text();
    return true;
}
