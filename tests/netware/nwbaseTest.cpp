#include "netware/nwbase.h"

#include <stdexcept>
#include <vector>

#include <QWidget>

#include "netware/NWObjError.h"
#include "netware/Nwnds.h"
#include "netware/nwlib.h"
#include "runtime/Form.h"
#include "runtime/WinControl.h"
#include "runtime/MessageEvent.h"
#include "runtime/WindowMessage.h"
#include "tests/netware/NetWareFixture.h"
#include "tests/netware/RecordingControl.h"
#include "tests/netware/nwbasePeer.h"

namespace {

class TRaisingBase : public TNWBase
{
public:
    using TNWBase::RaiseNWError;
    using TNWBase::TNWBase;
};

QStringList errorTexts(TNWBase &base)
{
    const TNWLastError *e = base.LastError();
    return {e->NWLib(), e->NWServer(), e->NWProp(), e->NWNDS(), e->NWPrint()};
}

class TNWBaseTest : public TNetWareFixture
{
protected:
    // A server in a directory tree, so that directory services start and stay available.
    void JoinTree() { fake.treeName = "ACME_TREE"; }
};

uint32_t throwingInit(uint32_t *, uint32_t *)
{
    throw Exception(QStringLiteral("client broke"));
}

uint32_t failingInit(uint32_t *, uint32_t *)
{
    throw std::logic_error("not ours");
}

} // namespace

TEST_F(TNWBaseTest, MissingCallsOrConnectionLibraryLeavesTheNetworkUnavailable)
{
    for (const char *library : {NW_LIB_CALLS, NW_LIB_CONNECTIONS}) {
        TFakeClient client;
        TAdapterOverride<TLibraryLoader> useClient(client);
        client.RemoveLibrary(library);
        TNWBase base;
        EXPECT_FALSE(base.NetAvailable()) << library;
        EXPECT_EQ(base.LastError()->NWLib(), "FFFF") << library;
    }
}

TEST_F(TNWBaseTest, NoPrimaryConnectionShowsTheFailingCode)
{
    fake.SetCode("NWCCOpenConnByRef", NW_ERR_INVALID_CONNECTION);
    TNWBase failing;
    EXPECT_FALSE(failing.NetAvailable());
    EXPECT_EQ(failing.LastError()->NWLib(), "8801");

    TProcessState<TNWLib::State>::Reset();
    fake.Remove("NWCCGetPrimConnRef");
    fake.Remove("NWGetPrimaryConnectionID");
    TNWBase missing;
    EXPECT_FALSE(missing.NetAvailable());
    EXPECT_EQ(missing.LastError()->NWLib(), "FFFFFFFF");
}

TEST_F(TNWBaseTest, CleanStartReadsNoErrorsExceptNonDirectoryServer)
{
    JoinTree();
    TNWBase inTree;
    EXPECT_TRUE(inTree.NetAvailable());
    EXPECT_TRUE(inTree.NDSAvailable());
    EXPECT_EQ(errorTexts(inTree), QStringList({"0000", "0000", "0000", "0000", "0000"}));

    fake.treeName.clear();
    TNWBase bindery;
    EXPECT_TRUE(bindery.NetAvailable());
    EXPECT_FALSE(bindery.NDSAvailable());
    EXPECT_EQ(errorTexts(bindery), QStringList({"0000", "0000", "0000", "FFFFFFFF", "0000"}));
}

TEST_F(TNWBaseTest, MissingDirectoryLibraryKeepsTheNetworkButNotDirectoryServices)
{
    JoinTree();
    fake.RemoveLibrary(NW_LIB_LOCALE);
    TNWBase base;
    EXPECT_TRUE(base.NetAvailable());
    EXPECT_FALSE(base.NDSAvailable());
    EXPECT_EQ(base.LastError()->NWNDS(), "FFFF");
    EXPECT_EQ(TTestPeer<TNWBase>::CachedLoginID(base), "SUPERVISOR");
}

TEST_F(TNWBaseTest, ErrorsOfTheLayerAreSwallowedOthersPropagate)
{
    fake.Replace("NWCallsInit", throwingInit);
    TNWBase base;
    EXPECT_FALSE(base.NetAvailable());

    fake.Replace("NWCallsInit", failingInit);
    EXPECT_THROW(TNWBase{}, std::logic_error);
}

TEST_F(TNWBaseTest, StartUpLearnsServerLoginAndDirectoryLocale)
{
    TNWBase bindery;
    EXPECT_EQ(bindery.ServerHandle(), 0x101u);
    EXPECT_EQ(TTestPeer<TNWBase>::CachedLoginID(bindery), "SUPERVISOR");
    EXPECT_EQ(bindery.Version(), "1.21 / 3.34 - 11 Oct 1997");

    JoinTree();
    TNWBase inTree;
    EXPECT_EQ(TTestPeer<TNWBase>::CachedLoginID(inTree), "CN=ADMIN.ACME");
    EXPECT_EQ(fake.unicodeCountry, 1u);
    EXPECT_EQ(fake.unicodeCodePage, 437u);
    EXPECT_TRUE(TNWLib::Shared().directoryMode);
}

TEST_F(TNWBaseTest, StartingDirectoryServicesResetsContextAndAppliesDefaultFlags)
{
    JoinTree();
    fake.contextFlags = kNWDSAsyncMode;
    TNWBase base;
    EXPECT_EQ(base.NDSContextName(), "[Root]");
    EXPECT_EQ(fake.contextFlags,
              kNWDSAsyncMode | kNWDSDereferenceAliases | kNWDSTranslateStrings | kNWDSCanonicalizeNames);
    EXPECT_EQ(TNWNDS::Shared().context, fake.nextContext);
}

TEST_F(TNWBaseTest, DestructionEndsDirectoryServicesAndFreesTheContext)
{
    JoinTree();
    {
        TNWBase base;
    }
    EXPECT_EQ(fake.Calls("NWFreeUnicodeTables"), 1);
    EXPECT_EQ(fake.freedContexts.back(), fake.nextContext);
    EXPECT_EQ(TNWNDS::Shared().context, 0u);

    fake.treeName.clear();
    {
        TNWBase base;
    }
    EXPECT_EQ(fake.Calls("NWFreeUnicodeTables"), 1);
}

TEST_F(TNWBaseTest, EveryWindowedControlOfTheOwnerFormHearsOfTheServerOnceAtStart)
{
    JoinTree();
    TForm form;
    auto *first = new TRecordingControl(&form);
    auto *inner = new TRecordingControl(first);
    auto *onPlainWidget = new TRecordingControl(new QWidget(&form));
    new TNWBase(&form);
    for (const TRecordingControl *control : {first, inner, onPlainWidget})
        EXPECT_EQ(control->messages, std::vector<unsigned>{TNWBase::kServerChangeMessage});

    QObject plainOwner;
    new TNWBase(&plainOwner);
    TNWBase noOwner;
    EXPECT_EQ(first->messages.size(), 1u);
}

TEST_F(TNWBaseTest, ContextNameWrites)
{
    JoinTree();
    TForm form;
    auto *control = new TRecordingControl(&form);
    auto *base = new TNWBase(&form);
    const uint32_t firstContext = TNWNDS::Shared().context;

    base->SetNDSContextName(QStringLiteral("  ou=sales.o=acme "));
    EXPECT_EQ(fake.contextName, "OU=SALES.O=ACME");
    EXPECT_EQ(base->NDSContextName(), "  OU=SALES.O=ACME ");

    const int sets = fake.Calls("NWDSSetContext");
    base->SetNDSContextName(QStringLiteral("  OU=SALES.O=ACME "));
    EXPECT_EQ(fake.Calls("NWDSSetContext"), sets);
    EXPECT_EQ(control->messages.size(), 3u);

    base->SetNDSContextName(QStringLiteral("[root]"));
    EXPECT_EQ(fake.freedContexts.back(), firstContext);
    EXPECT_NE(TNWNDS::Shared().context, firstContext);
    EXPECT_EQ(base->NDSContextName(), "[Root]");

    base->BeginLoading();
    base->SetNDSContextName(QStringLiteral("O=OTHER"));
    EXPECT_EQ(base->NDSContextName(), "[Root]");
    EXPECT_EQ(control->messages.size(), 4u);
}

TEST_F(TNWBaseTest, ContextNameIsIgnoredWithoutDirectoryServices)
{
    TNWBase base;
    const int sets = fake.Calls("NWDSSetContext");
    base.SetNDSContextName(QStringLiteral("O=ACME"));
    EXPECT_TRUE(base.NDSContextName().isEmpty());
    EXPECT_EQ(fake.Calls("NWDSSetContext"), sets);
}

TEST_F(TNWBaseTest, FlagWritesChangeOnlyTheirOwnFlag)
{
    JoinTree();
    TNWBase base;
    TNWDSContextFlags *flags = base.NDSContextFlags();
    fake.contextFlags = kNWDSDereferenceAliases | kNWDSDereferenceBaseClass;

    flags->SetTypelessNames(false);
    EXPECT_EQ(fake.contextFlags, kNWDSDereferenceAliases | kNWDSDereferenceBaseClass);
    flags->SetDisallowReferrals(true);
    flags->SetDereferenceAliases(false);
    EXPECT_EQ(fake.contextFlags, kNWDSDereferenceBaseClass | kNWDSDisallowReferrals);
    EXPECT_TRUE(flags->DisallowReferrals());
    EXPECT_FALSE(flags->DereferenceAliases());
}

TEST_F(TNWBaseTest, FlagWritesAreOnlyKeptWithoutDirectoryServices)
{
    fake.RemoveLibrary(NW_LIB_LOCALE);
    TNWBase base;
    const int sets = fake.Calls("NWDSSetContext");
    base.NDSContextFlags()->SetAsyncMode(true);
    EXPECT_TRUE(base.NDSContextFlags()->AsyncMode());
    EXPECT_EQ(fake.Calls("NWDSSetContext"), sets);
}

TEST_F(TNWBaseTest, FlagWritesReachTheStartedContextOfABinderyServer)
{
    TNWBase base;
    ASSERT_FALSE(base.NDSAvailable());
    fake.contextFlags = kNWDSDereferenceAliases;
    const int askedServer = fake.Calls("NWIsDSServer");
    base.NDSContextFlags()->SetAsyncMode(true);
    base.NDSContextFlags()->SetDereferenceAliases(false);
    EXPECT_EQ(fake.contextFlags, kNWDSAsyncMode);
    EXPECT_EQ(fake.Calls("NWIsDSServer"), askedServer);
}

TEST_F(TNWBaseTest, UnreadableFlagsAreNotOverwritten)
{
    JoinTree();
    TNWBase base;
    fake.contextFlags = 0xC3;
    fake.SetCode("NWDSGetContext", NW_ERR_NOT_SUPPORTED);
    base.NDSContextFlags()->SetTypelessNames(false);
    base.NDSContextFlags()->SetAsyncMode(true);
    EXPECT_EQ(fake.contextFlags, 0xC3u);
    EXPECT_EQ(base.LastError()->NWNDS(), "89FB");
}

TEST_F(TNWBaseTest, CanonicalNameRestoresTheFlags)
{
    JoinTree();
    TNWBase base;
    fake.contextFlags = kNWDSTypelessNames | kNWDSDisallowReferrals;
    EXPECT_EQ(CanonicalName(QStringLiteral("admin")), "CN=admin");
    EXPECT_EQ(fake.flagsWhileCanonicalizing, 19u);
    EXPECT_EQ(fake.contextFlags, kNWDSTypelessNames | kNWDSDisallowReferrals);

    fake.SetCode("NWDSCanonicalizeName", NW_ERR_NO_SUCH_OBJECT);
    EXPECT_TRUE(CanonicalName(QStringLiteral("ghost")).isEmpty());
    EXPECT_EQ(fake.contextFlags, kNWDSTypelessNames | kNWDSDisallowReferrals);
    EXPECT_EQ(base.LastError()->NWNDS(), "89FC");
}

TEST_F(TNWBaseTest, RaisesOnlyWhenNotSilentAndNotDesigning)
{
    TRaisingBase base;
    EXPECT_TRUE(base.SilentExceptions());
    EXPECT_NO_THROW(base.RaiseNWError(QStringLiteral("Invalid Server Handle")));
    base.SetSilentExceptions(false);
    try {
        base.RaiseNWError(QStringLiteral("Invalid Server Handle"));
        ADD_FAILURE() << "no exception";
    } catch (const Exception &e) {
        EXPECT_NE(dynamic_cast<const TNWObjError *>(&e), nullptr);
        EXPECT_EQ(e.Message(), "Invalid Server Handle");
    }
    base.SetDesigning(true);
    EXPECT_NO_THROW(base.RaiseNWError(QStringLiteral("Invalid Server Handle")));
}

TEST_F(TNWBaseTest, DirectoryAvailabilityIsAskedAnewOnEveryRead)
{
    JoinTree();
    TNWBase base;
    ASSERT_TRUE(base.NDSAvailable());
    fake.treeName.clear();
    EXPECT_FALSE(base.NDSAvailable());
}

TEST_F(TNWBaseTest, UnicodeTablesThatFailToLoadKeepDirectoryServicesOff)
{
    JoinTree();
    fake.SetCode("NWInitUnicodeTables", NW_ERR_NOT_SUPPORTED);
    TNWBase base;
    EXPECT_FALSE(base.NDSAvailable());
    EXPECT_FALSE(TNWLib::Shared().directoryMode);
    EXPECT_EQ(TTestPeer<TNWBase>::CachedLoginID(base), "SUPERVISOR");
}

TEST_F(TNWBaseTest, StartUpAddsTheTrueFlagsOneByOneInTheirOrder)
{
    JoinTree();
    TNWBase base;
    ASSERT_GE(fake.flagWrites.size(), 3u);
    EXPECT_EQ(std::vector<uint32_t>(fake.flagWrites.begin(), fake.flagWrites.begin() + 3),
              (std::vector<uint32_t>{kNWDSDereferenceAliases, kNWDSDereferenceAliases | kNWDSTranslateStrings,
                                     kNWDSDereferenceAliases | kNWDSTranslateStrings | kNWDSCanonicalizeNames}));
}

TEST_F(TNWBaseTest, FlagWritesFollowTheStartOfDirectoryServicesNotTheDefaultServer)
{
    JoinTree();
    TNWBase started;
    fake.treeName.clear();
    started.SetDefaultServer(QStringLiteral("BETA"));
    ASSERT_FALSE(TNWLib::Shared().directoryMode);
    started.NDSContextFlags()->SetAsyncMode(true);
    EXPECT_TRUE(fake.contextFlags & kNWDSAsyncMode);

    ProcessState::ResetAll();
    fake.RemoveLibrary(NW_LIB_LOCALE);
    TNWBase neverStarted;
    fake.treeName = "ACME_TREE";
    neverStarted.SetDefaultServer(QStringLiteral("ALPHA"));
    ASSERT_TRUE(TNWLib::Shared().directoryMode);
    const int sets = fake.Calls("NWDSSetContext");
    neverStarted.NDSContextFlags()->SetTypelessNames(true);
    EXPECT_EQ(fake.Calls("NWDSSetContext"), sets);
}
