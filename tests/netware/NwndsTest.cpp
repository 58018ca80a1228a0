#include "netware/Nwnds.h"

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "netware/nwbase.h"
#include "tests/netware/NetWareFixture.h"

namespace {

class TNWNDSTest : public TNetWareFixture
{
protected:
    TNWNDSTest() { fake.treeName = "ACME_TREE"; }

    // Reads the login's full name in a copy of the process-wide context.
    bool ReadFullName(QString &text)
    {
        return ReadObjectAttribute(QString(), QStringLiteral("ADMIN.ACME"), kNWAttributeFullName, text);
    }
};

// Fails the given allocation of a read, leaving a handle behind that it never gave out.
template <int Failing> uint32_t allocationFails(uint32_t, NWDSBuf *buffer)
{
    TFakeClient &client = TFakeClient::Active();
    client.Called("NWDSAllocBuf");
    const int call = client.Calls("NWDSAllocBuf");
    *buffer = reinterpret_cast<NWDSBuf>(std::intptr_t(0x5000 + call));
    if (call == Failing)
        return NW_ERR_NOT_SUPPORTED;
    client.liveBuffers.insert(*buffer);
    return NW_SUCCESS;
}

uint32_t throwingValue(uint32_t, NWDSBuf, uint32_t, void *)
{
    throw std::runtime_error("client broke");
}

uint32_t oversizeValue(uint32_t, NWDSBuf, uint32_t, void *value)
{
    std::fill_n(static_cast<char *>(value), NW_NAME_BUFFER_SIZE, 'V');
    return NW_SUCCESS;
}

} // namespace

TEST_F(TNWNDSTest, AttributeNamesKeepTheirRowsDuplicatesIncluded)
{
    const std::vector<std::pair<int, QString>> rows{
        {0, "Account Balance"}, {15, "Object Class"}, {80, "Object Class"}, {23, "Revision"},
        {116, "Revision"},      {29, "Full Name"},    {142, "Volume"},      {143, ""},
        {255, ""},              {-1, ""}};
    for (const auto &[n, name] : rows)
        EXPECT_EQ(AttributeName(n), name) << n;
}

TEST_F(TNWNDSTest, ReadsAnAttributeInItsOwnContextAndReleasesEverything)
{
    TNWBase base;
    const uint32_t shared = TNWNDS::Shared().context;
    QString text;
    ASSERT_TRUE(ReadFullName(text));
    EXPECT_EQ(text, "Ada Admin");
    EXPECT_EQ(fake.lastAttributeName, "Full Name");
    EXPECT_EQ(fake.arguments["NWDSAllocBuf"], std::vector<uint32_t>{NW_DS_BUFFER_SIZE});
    EXPECT_EQ(fake.arguments["NWDSInitBuf"], std::vector<uint32_t>{3});
    EXPECT_EQ(fake.arguments["NWDSRead"], (std::vector<uint32_t>{1, 0}));
    EXPECT_EQ(fake.arguments["NWDSGetAttrNameGiven"], std::vector<uint32_t>{1});
    EXPECT_TRUE(fake.liveBuffers.empty());
    EXPECT_EQ(fake.freedContexts.back(), fake.nextContext);
    EXPECT_EQ(TNWNDS::Shared().context, shared);
}

// Each way a read can fail ends with false, the buffers it was given and the context freed, and the code
// where it shows.
struct TReadFailure
{
    const char *name;
    std::function<void(TFakeClient &)> arrange;
    const char *errorText;
};

void PrintTo(const TReadFailure &c, std::ostream *out)
{
    *out << c.name;
}

class TNWReadFailure : public TNWNDSTest, public ::testing::WithParamInterface<TReadFailure>
{
};

TEST_P(TNWReadFailure, ReleasesBuffersAndContext)
{
    GetParam().arrange(fake);
    TNWBase base;
    QString text;
    try {
        EXPECT_FALSE(ReadFullName(text));
    } catch (const std::runtime_error &) {
        SUCCEED();
    }
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(fake.liveBuffers.empty());
    EXPECT_TRUE(fake.strayFrees.empty());
    EXPECT_EQ(fake.freedContexts.back(), fake.nextContext);
    EXPECT_EQ(base.LastError()->NWNDS(), GetParam().errorText);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, TNWReadFailure,
    ::testing::Values(
        TReadFailure{"RequestNotAllocated", [](TFakeClient &f) { f.SetCode("NWDSAllocBuf", 0xFED0); }, "0000"},
        TReadFailure{"RequestFailsLeavingAHandle",
                     [](TFakeClient &f) { f.Replace("NWDSAllocBuf", allocationFails<1>); }, "0000"},
        TReadFailure{"ReplyFailsLeavingAHandle",
                     [](TFakeClient &f) { f.Replace("NWDSAllocBuf", allocationFails<2>); }, "0000"},
        TReadFailure{"InitFails", [](TFakeClient &f) { f.SetCode("NWDSInitBuf", 0xFED1); }, "0000"},
        TReadFailure{"PutNameFails", [](TFakeClient &f) { f.SetCode("NWDSPutAttrName", 0xFED2); }, "FED2"},
        TReadFailure{"ReadFails", [](TFakeClient &f) { f.SetCode("NWDSRead", 0xFFFFFDA7); }, "FFFFFDA7"},
        TReadFailure{"CountFails", [](TFakeClient &f) { f.SetCode("NWDSGetAttrCount", 0xFED3); }, "FED3"},
        TReadFailure{"NameFails", [](TFakeClient &f) { f.SetCode("NWDSGetAttrName", 0xFED4); }, "FED4"},
        TReadFailure{"ValueFails", [](TFakeClient &f) { f.SetCode("NWDSGetAttrVal", 0xFED5); }, "FED5"},
        TReadFailure{"ValueRaises", [](TFakeClient &f) { f.Replace("NWDSGetAttrVal", throwingValue); }, "0000"},
        TReadFailure{"ReplyHoldsNoAttribute", [](TFakeClient &f) { f.dsAttributes.clear(); }, "0000"}));

TEST_F(TNWNDSTest, ReadThatNeverEndsStopsAndAValueLargerThanItsBufferIsCut)
{
    fake.dsReadParts = -1;
    fake.Replace("NWDSGetAttrVal", oversizeValue);
    TNWBase base;
    QString text;
    ASSERT_TRUE(ReadFullName(text));
    EXPECT_EQ(text, QString(NW_NAME_BUFFER_SIZE, QLatin1Char('V')));
    EXPECT_EQ(fake.Calls("NWDSRead"), 1024);
    EXPECT_TRUE(fake.liveBuffers.empty());
}

TEST_F(TNWNDSTest, NamedContextReplacesTheProcessWideOne)
{
    TNWBase base;
    const uint32_t before = TNWNDS::Shared().context;
    QString text;
    ASSERT_TRUE(ReadObjectAttribute(QStringLiteral("  O=ACME "), QStringLiteral("ADMIN.ACME"),
                                    kNWAttributeFullName, text));
    EXPECT_EQ(fake.contextName, "O=ACME");
    EXPECT_NE(TNWNDS::Shared().context, before);
    EXPECT_EQ(fake.freedContexts.end()[-2], before);
    EXPECT_EQ(fake.Calls("NWDSDuplicateContextHandle"), 1);

    fake.Remove("NWDSDuplicateContextHandle");
    const int duplicates = fake.Calls("NWDSDuplicateContext");
    uint32_t context = DuplicateContext();
    EXPECT_TRUE(UseContextName(context, QStringLiteral("O=ACME")));
    EXPECT_EQ(fake.Calls("NWDSDuplicateContext"), duplicates + 2);

    fake.SetCode("NWDSSetContext", 0xFFFFFDA7);
    const uint32_t kept = TNWNDS::Shared().context;
    EXPECT_FALSE(ReadObjectAttribute(QStringLiteral("O=NOWHERE"), QStringLiteral("ADMIN.ACME"),
                                     kNWAttributeFullName, text));
    EXPECT_EQ(TNWNDS::Shared().context, kept);
    EXPECT_EQ(fake.freedContexts.back(), fake.nextContext);
    EXPECT_EQ(base.LastError()->NWNDS(), "FFFFFDA7");
}

TEST_F(TNWNDSTest, ObjectIDsComeByteSwappedAndFailuresShowTheirCode)
{
    TNWBase base;
    EXPECT_EQ(MapNameToID(0, QStringLiteral("ADMIN.ACME")), "EFCDAB00");
    EXPECT_EQ(fake.arguments["NWDSMapNameToID"], std::vector<uint32_t>{0x101});
    EXPECT_EQ(fake.lastObjectName, "ADMIN.ACME");
    EXPECT_EQ(AuditObjectID(0x102, QStringLiteral("ADMIN.ACME")), 0x00ABCDEFu);
    EXPECT_EQ(fake.arguments["NWDSAuditGetObjectID"], std::vector<uint32_t>{0x102});

    EXPECT_EQ(MapNameToID(0, QStringLiteral("admin.acme")), "");
    EXPECT_EQ(base.LastError()->NWNDS(), "89FC");
    fake.SetCode("NWDSAuditGetObjectID", 0xFFFFFDA7);
    EXPECT_EQ(AuditObjectID(0, QStringLiteral("ADMIN.ACME")), 0u);
    EXPECT_EQ(base.LastError()->NWNDS(), "FFFFFDA7");
}

TEST_F(TNWNDSTest, WithoutAContextANewOneIsMade)
{
    TNWBase base;
    TNWNDS::Shared().context = 0;
    const int created = fake.Calls("NWDSCreateContext");
    EXPECT_EQ(DuplicateContext(), fake.nextContext);
    EXPECT_EQ(fake.Calls("NWDSCreateContext"), created + 1);
}
