#include <array>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "netware/nwclient.h"
#include "nwsim/Directory.h"
#include "nwsim/DsObject.h"
#include "nwsim/SimCodes.h"

using namespace nwsim;

namespace {

class BuiltInDirectory : public testing::Test
{
protected:
    void SetUp() override
    {
        context = directory.CreateContext();
        ASSERT_NE(context, 0u);
        ASSERT_EQ(directory.AllocBuf(4096, &request), NW_SUCCESS);
        ASSERT_EQ(directory.AllocBuf(4096, &reply), NW_SUCCESS);
        ASSERT_EQ(directory.InitBuf(context, 3, request), NW_SUCCESS);
    }

    void TearDown() override
    {
        EXPECT_EQ(directory.FreeBuf(reply), NW_SUCCESS);
        EXPECT_EQ(directory.FreeBuf(request), NW_SUCCESS);
        EXPECT_EQ(directory.FreeContext(context), NW_SUCCESS);
    }

    // Reads one attribute the way the monitor does: put the name, read, take the first value.
    std::uint32_t readFirst(const char *object, const char *attribute, std::string &value)
    {
        std::int32_t iteration = -1;
        directory.InitBuf(context, 3, request);
        directory.PutAttrName(context, request, attribute, 0);
        if (const std::uint32_t code =
                directory.Read(context, object, 1, false, request, &iteration, reply)) {
            return code;
        }
        EXPECT_EQ(iteration, -1);
        std::uint32_t count = 0;
        directory.GetAttrCount(context, reply, &count);
        if (count == 0) {
            return codes::kDsNoSuchAttribute;
        }
        char name[NW_NAME_BUFFER_SIZE];
        std::uint32_t values = 0;
        std::uint32_t syntax = 0;
        EXPECT_EQ(directory.GetAttrName(context, reply, name, &values, &syntax), NW_SUCCESS);
        EXPECT_STREQ(name, attribute);
        char text[NW_NAME_BUFFER_SIZE];
        const std::uint32_t code = directory.GetAttrVal(context, reply, syntax, text);
        value = text;
        return code;
    }

    Directory directory{Scenario::BuiltIn()};
    std::uint32_t context = 0;
    NWDSBuf request = nullptr;
    NWDSBuf reply = nullptr;
};

} // namespace

TEST_F(BuiltInDirectory, ReadsTheFullNameOfTheLogin)
{
    std::string value;
    ASSERT_EQ(readFirst("CN=ADMIN.O=EMBERLY", "Full Name", value), NW_SUCCESS);
    EXPECT_EQ(value, "Ada Quillfeather");
    ASSERT_EQ(readFirst("ADMIN.EMBERLY", "Full Name", value), NW_SUCCESS) << "typeless names resolve too";
    EXPECT_EQ(readFirst("CN=NOBODY.O=EMBERLY", "Full Name", value), codes::kDsNoSuchEntry);
    EXPECT_EQ(readFirst("CN=KESTREL.O=EMBERLY", "Full Name", value), codes::kDsNoSuchAttribute)
        << "a reply without the attribute holds no attribute";
}

TEST_F(BuiltInDirectory, NamesAreRelativeToTheNameContext)
{
    std::string value;
    EXPECT_EQ(readFirst("CN=ADMIN", "Full Name", value), codes::kDsNoSuchEntry);
    ASSERT_EQ(directory.SetContext(context, NW_DS_CTX_NAME, "O=EMBERLY"), NW_SUCCESS);
    EXPECT_EQ(readFirst("CN=ADMIN", "Full Name", value), NW_SUCCESS);
    char name[NW_NAME_BUFFER_SIZE];
    ASSERT_EQ(directory.GetContext(context, NW_DS_CTX_NAME, name), NW_SUCCESS);
    EXPECT_STREQ(name, "O=EMBERLY");
    EXPECT_EQ(directory.SetContext(context, NW_DS_CTX_NAME, "O=ELSEWHERE"), codes::kDsNoSuchEntry);
    ASSERT_EQ(directory.SetContext(context, NW_DS_CTX_NAME, "[root]"), NW_SUCCESS);
    ASSERT_EQ(directory.GetContext(context, NW_DS_CTX_NAME, name), NW_SUCCESS);
    EXPECT_STREQ(name, "[Root]");
}

TEST_F(BuiltInDirectory, FlagsShapeHowNamesArePresented)
{
    char name[NW_NAME_BUFFER_SIZE];
    ASSERT_EQ(directory.WhoAmI(context, name), NW_SUCCESS);
    EXPECT_STREQ(name, "CN=ADMIN.O=EMBERLY");
    std::uint32_t flags = 0;
    ASSERT_EQ(directory.GetContext(context, NW_DS_CTX_FLAGS, &flags), NW_SUCCESS);
    flags |= 4;
    ASSERT_EQ(directory.SetContext(context, NW_DS_CTX_FLAGS, &flags), NW_SUCCESS);
    ASSERT_EQ(directory.WhoAmI(context, name), NW_SUCCESS);
    EXPECT_STREQ(name, "ADMIN.EMBERLY");
    EXPECT_EQ(directory.GetContext(context, 2, &flags), codes::kDsBadKey);
}

TEST_F(BuiltInDirectory, CanonicalNamesAreComplete)
{
    char canonical[NW_CONN_INFO_NAME_SIZE];
    ASSERT_EQ(directory.SetContext(context, NW_DS_CTX_NAME, "O=EMBERLY"), NW_SUCCESS);
    ASSERT_EQ(directory.CanonicalizeName(context, "ADMIN", canonical), NW_SUCCESS);
    EXPECT_STREQ(canonical, "CN=ADMIN.O=EMBERLY");
    ASSERT_EQ(directory.CanonicalizeName(context, "CN=NEWBIE", canonical), NW_SUCCESS);
    EXPECT_STREQ(canonical, "CN=NEWBIE.O=EMBERLY");
}

TEST_F(BuiltInDirectory, StaleContextsAndBuffersGiveCodes)
{
    const std::uint32_t spare = directory.DuplicateContext(context);
    ASSERT_NE(spare, 0u);
    ASSERT_EQ(directory.FreeContext(spare), NW_SUCCESS);
    char name[NW_NAME_BUFFER_SIZE];
    EXPECT_EQ(directory.WhoAmI(spare, name), codes::kDsBadContext);
    EXPECT_EQ(directory.FreeContext(spare), codes::kDsBadContext);
    int notABuffer = 0;
    EXPECT_EQ(directory.InitBuf(context, 3, &notABuffer), codes::kDsBadRequest);
    EXPECT_EQ(directory.FreeBuf(&notABuffer), codes::kDsBadRequest);
    std::uint32_t count = 0;
    EXPECT_EQ(directory.GetAttrCount(context, reply, &count), NW_SUCCESS);
    EXPECT_EQ(count, 0u);
}

TEST_F(BuiltInDirectory, TablesStayBounded)
{
    std::vector<std::uint32_t> contexts;
    for (std::uint32_t created = 0; (created = directory.CreateContext()) != 0;) {
        contexts.push_back(created);
        ASSERT_LT(contexts.size(), 10'000u);
    }
    EXPECT_GE(contexts.size(), 200u);
    for (const std::uint32_t created : contexts) {
        directory.FreeContext(created);
    }
    NWDSBuf huge = nullptr;
    EXPECT_EQ(directory.AllocBuf(1u << 30, &huge), codes::kDsNotEnoughMemory);
    EXPECT_EQ(directory.AllocBuf(0, &huge), codes::kInvalidParameter);
}

TEST_F(BuiltInDirectory, SmallRepliesComeInParts)
{
    NWDSBuf small = nullptr;
    ASSERT_EQ(directory.AllocBuf(40, &small), NW_SUCCESS);
    std::int32_t iteration = -1;
    std::vector<std::string> names;
    do {
        ASSERT_EQ(directory.Read(context, "CN=ADMIN.O=EMBERLY", 1, true, nullptr, &iteration, small),
                  NW_SUCCESS);
        char name[NW_NAME_BUFFER_SIZE];
        while (directory.GetAttrName(context, small, name, nullptr, nullptr) == NW_SUCCESS) {
            names.emplace_back(name);
        }
        ASSERT_LT(names.size(), 20u);
    } while (iteration != -1);
    EXPECT_EQ(names, (std::vector<std::string>{"CN", "Full Name", "Surname", "Object Class"}));
    NWDSBuf tiny = nullptr;
    ASSERT_EQ(directory.AllocBuf(8, &tiny), NW_SUCCESS);
    EXPECT_EQ(directory.Read(context, "CN=ADMIN.O=EMBERLY", 1, true, nullptr, &iteration, tiny),
              codes::kDsBufferFull);
    directory.FreeBuf(tiny);
    directory.FreeBuf(small);
}

TEST_F(BuiltInDirectory, ObjectsCanBeAddedChangedListedAndRemoved)
{
    ASSERT_EQ(directory.SetContext(context, NW_DS_CTX_NAME, "O=EMBERLY"), NW_SUCCESS);
    directory.InitBuf(context, 7, request);
    ASSERT_EQ(directory.PutAttrName(context, request, "Object Class", 0), NW_SUCCESS);
    ASSERT_EQ(directory.PutAttrVal(context, request, kSyntaxClassName, "User"), NW_SUCCESS);
    ASSERT_EQ(directory.AddObject(context, "CN=GUEST", request), NW_SUCCESS);
    EXPECT_EQ(directory.AddObject(context, "CN=GUEST", request), codes::kDsEntryExists);
    EXPECT_EQ(directory.AddObject(context, "CN=X.OU=MISSING", request), codes::kDsNoSuchEntry);

    directory.InitBuf(context, 6, request);
    ASSERT_EQ(directory.PutAttrName(context, request, "Full Name", 5), NW_SUCCESS);
    ASSERT_EQ(directory.PutAttrVal(context, request, kSyntaxCaseIgnoreString, "Guest Visitor"), NW_SUCCESS);
    ASSERT_EQ(directory.ModifyObject(context, "CN=GUEST", request), NW_SUCCESS);
    std::string value;
    ASSERT_EQ(readFirst("CN=GUEST", "Full Name", value), NW_SUCCESS);
    EXPECT_EQ(value, "Guest Visitor");

    std::int32_t iteration = -1;
    ASSERT_EQ(directory.List(context, "O=EMBERLY.", &iteration, reply), NW_SUCCESS);
    std::uint32_t count = 0;
    ASSERT_EQ(directory.GetObjectCount(context, reply, &count), NW_SUCCESS);
    EXPECT_EQ(count, 6u) << "the user, four servers in the tree and the guest";

    EXPECT_EQ(directory.RemoveObject(context, "O=EMBERLY."), codes::kDsNotLeaf);
    ASSERT_EQ(directory.RemoveObject(context, "CN=GUEST"), NW_SUCCESS);
    EXPECT_EQ(readFirst("CN=GUEST", "Full Name", value), codes::kDsNoSuchEntry);
}

TEST_F(BuiltInDirectory, StreamsAndKeysNeedTheirObject)
{
    std::uint32_t stream = 0;
    ASSERT_EQ(directory.OpenStream(context, "CN=ADMIN.O=EMBERLY", "Login Script", &stream), NW_SUCCESS);
    EXPECT_NE(stream, 0u);
    EXPECT_EQ(directory.OpenStream(context, "CN=ADMIN.O=EMBERLY", "Full Name", &stream),
              codes::kDsNoSuchAttribute);
    EXPECT_EQ(directory.GenerateKeyPair(context, "CN=ADMIN.O=EMBERLY", "secret"), NW_SUCCESS);
    EXPECT_EQ(directory.GenerateKeyPair(context, "CN=NOBODY.O=EMBERLY", "secret"), codes::kDsNoSuchEntry);
}

TEST(Directory, WithoutATreeNobodyIsLoggedIn)
{
    Directory directory{Scenario{}};
    const std::uint32_t context = directory.CreateContext();
    char name[NW_NAME_BUFFER_SIZE];
    EXPECT_EQ(directory.WhoAmI(context, name), codes::kDsNoSuchEntry);
}

TEST(Directory, ALoginOfManyPartsBuildsItsContainersAtOnce)
{
    Scenario scenario;
    scenario.tree = "DEEP";
    scenario.login = "CN=U";
    while (scenario.login.size() + 5 <= 1024)
        scenario.login += ".OU=A";
    Directory directory(scenario);
    const std::uint32_t context = directory.CreateContext();
    char name[NW_NAME_BUFFER_SIZE];
    ASSERT_EQ(directory.WhoAmI(context, name), NW_SUCCESS);
    EXPECT_EQ(std::string(name), scenario.login);
    std::uint32_t id = 0;
    EXPECT_EQ(directory.ObjectID(context, scenario.login.substr(scenario.login.size() - 4).c_str(), &id),
              NW_SUCCESS);
}

TEST(Directory, ScenarioObjectsAndAttributesCanBeRead)
{
    Scenario scenario;
    scenario.tree = "T";
    scenario.login = "CN=OPS.O=ACORN";
    scenario.objects = {{"CN=PRN1.OU=FAR.O=ACORN", "Printer"}};
    scenario.attributes = {{"CN=PRN1.OU=FAR.O=ACORN", "Description", "Laser"},
                           {"cn=ops.o=acorn", "Full Name", "Olive"}};
    Directory directory(scenario);
    const std::uint32_t context = directory.CreateContext();
    std::uint32_t id = 0;
    EXPECT_EQ(directory.ObjectID(context, "OU=FAR.O=ACORN", &id), NW_SUCCESS);
    EXPECT_EQ(directory.ObjectID(context, "CN=PRN1.OU=FAR.O=ACORN", &id), NW_SUCCESS);
}
