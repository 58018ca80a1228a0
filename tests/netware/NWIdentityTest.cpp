#include <functional>
#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "netware/DateConversionError.h"
#include "netware/NWObjError.h"
#include "netware/Nwnds.h"
#include "netware/nwbase.h"
#include "netware/NWIdentity.h"
#include "netware/nwlib.h"
#include "runtime/Form.h"
#include "runtime/MessageEvent.h"
#include "runtime/WinControl.h"
#include "runtime/layout/Published.h"
#include "tests/netware/NetWareFixture.h"
#include "tests/netware/RecordingControl.h"
#include "tests/runtime/RecordingPresenter.h"
#include "tests/netware/nwbasePeer.h"

namespace {

class TNWIdentityTest : public TNetWareFixture
{
protected:
    // A bindery server unless the test joins the tree first: without the locale library directory
    // services never start.
    TNWBase &Base()
    {
        if (!m_base) {
            if (fake.treeName.empty())
                fake.RemoveLibrary(NW_LIB_LOCALE);
            m_base = new TNWBase(&form);
        }
        return *m_base;
    }
    void JoinTree() { fake.treeName = "ACME_TREE"; }

    TForm form;
    TRecordingControl *control = new TRecordingControl(&form);

private:
    TNWBase *m_base = nullptr;
};

} // namespace

TEST_F(TNWIdentityTest, BinderyObjectIDsAreShownByteSwappedWithoutLeadingZeros)
{
    Base();
    const std::vector<std::pair<uint32_t, QString>> cases{
        {0x00012345, "45230100"}, {0xAB000000, "AB"}, {0, "0"}};
    for (const auto &[id, text] : cases) {
        fake.binderyObjects[{"SUPERVISOR", 0x0100}] = id;
        EXPECT_EQ(ObjectIDText(0, QStringLiteral("supervisor"), 0x0100), text) << id;
    }
    EXPECT_EQ(fake.lastObjectName, "SUPERVISOR");
    fake.binderyObjects[{"SUPERVISOR", 0x0100}] = 0x00012345;
    EXPECT_EQ(Base().ObjectID(), "45230100");
    EXPECT_EQ(ObjectIDText(0, QStringLiteral("NOBODY"), 0x0100), "0");
}

TEST_F(TNWIdentityTest, DirectoryLoginsTakeTheirIDFromTheDirectory)
{
    JoinTree();
    fake.dsObjectIDs["CN=ADMIN.ACME"] = 0x00000102;
    EXPECT_EQ(Base().ObjectID(), "2010000");
    EXPECT_EQ(fake.Calls("NWGetObjectID"), 0);
    // A bindery miss on a directory server asks the directory, quietly.
    fake.dsObjectIDs["guest"] = 0x77;
    EXPECT_EQ(GetBinderyObjectID(0, QStringLiteral("guest"), 0x0100), 0x77u);
    EXPECT_EQ(fake.lastObjectName, "guest");
    EXPECT_EQ(Base().LastError()->NWLib(), "0000");
}

struct TTypeCase
{
    const char *name;
    std::vector<uint16_t> registered;
    uint16_t value;
    TNWBase::TNWObjType type;
};

void PrintTo(const TTypeCase &c, std::ostream *out)
{
    *out << c.name;
}

class TNWObjectTypeTest : public TNWIdentityTest, public ::testing::WithParamInterface<TTypeCase>
{
};

TEST_P(TNWObjectTypeTest, FirstTypeInSearchOrderDecides)
{
    fake.binderyObjects.clear();
    for (const uint16_t type : GetParam().registered)
        fake.binderyObjects[{"SUPERVISOR", type}] = 0x99;
    EXPECT_EQ(Base().NWObjectType(), GetParam().value);
    EXPECT_EQ(Base().ObjectType(), GetParam().type);
    EXPECT_EQ(TTestPeer<TNWBase>::BinderyType(GetParam().type), GetParam().value ? GetParam().value : 0x0100);
}

INSTANTIATE_TEST_SUITE_P(
    Types, TNWObjectTypeTest,
    ::testing::Values(TTypeCase{"User", {0x0100, 0x0200}, 0x0100, TNWBase::nwObjTypeUser},
                      TTypeCase{"PrintServerBeforeFileServer", {0x0400, 0x0700}, 0x0700,
                                TNWBase::nwObjTypePrintServer},
                      TTypeCase{"FileServer", {0x0400, 0x0500}, 0x0400, TNWBase::nwObjTypeFileServer},
                      TTypeCase{"PrintQueue", {0x0300}, 0x0300, TNWBase::nwObjTypePrintQ},
                      TTypeCase{"TCPIPGateway", {0x2700}, 0x2700, TNWBase::nwObjTypeTCPIPGateway},
                      TTypeCase{"RemoteBridge", {0x2600}, 0x2600, TNWBase::nwObjTypeRemoteBridge},
                      TTypeCase{"NoneMatchesGivesUser", {0x2800}, 0, TNWBase::nwObjTypeUser}));

TEST_F(TNWIdentityTest, UnmatchedTypeRaisesOnlyWhenNotSilent)
{
    fake.binderyObjects.clear();
    EXPECT_EQ(Base().ObjectType(), TNWBase::nwObjTypeUser);
    EXPECT_EQ(fake.Calls("NWGetObjectID"), 14);
    EXPECT_EQ(Base().LastError()->NWLib(), "89FC");
    EXPECT_EQ(fake.Calls("NWDSAuditGetObjectID"), 0);
    Base().SetSilentExceptions(false);
    const auto invalidType =
        testing::ThrowsMessage<TNWObjError>(testing::StrEq("Invalid Netware Object Type"));
    EXPECT_THAT([this] { Base().ObjectType(); }, invalidType);
    EXPECT_THAT([this] { Base().ObjectID(); }, invalidType);
    for (const uint16_t value : {0x0000, 0x0001, 0x0C00, 0xFFFF})
        EXPECT_FALSE(TTestPeer<TNWBase>::ObjectTypeOf(value)) << value;
    for (const auto type : {TNWBase::nwObjTypeNone, TNWBase::nwObjTypeNDSTree, TNWBase::nwObjTypeConnectedServer})
        EXPECT_EQ(TTestPeer<TNWBase>::BinderyType(type), 0);
}

struct TDriveCase
{
    const char *name;
    uint16_t first;
    std::vector<uint16_t> mapped;
    char firstLetter;
    char nextLetter;
};

void PrintTo(const TDriveCase &c, std::ostream *out)
{
    *out << c.name;
}

class TNWDriveTest : public TNWIdentityTest, public ::testing::WithParamInterface<TDriveCase>
{
};

TEST_P(TNWDriveTest, LettersCountFromA)
{
    fake.firstDrive = GetParam().first;
    for (const uint16_t drive : GetParam().mapped)
        fake.driveStatus[drive] = 2;
    EXPECT_EQ(Base().FirstNetworkDrive(), QChar(GetParam().firstLetter));
    EXPECT_EQ(Base().NextNetworkDrive(), QChar(GetParam().nextLetter));
    const std::vector<uint32_t> &asked = fake.arguments["NWGetDriveStatus"];
    if (GetParam().firstLetter)
        EXPECT_EQ(asked.front(), GetParam().first);
    else
        EXPECT_TRUE(asked.empty());
}

INSTANTIATE_TEST_SUITE_P(Drives, TNWDriveTest,
                         ::testing::Values(TDriveCase{"FirstFree", 6, {}, 'F', 'F'},
                                           TDriveCase{"SkipsMapped", 6, {6, 7, 9}, 'F', 'H'},
                                           TDriveCase{"FromA", 1, {1}, 'A', 'B'},
                                           TDriveCase{"ZIsTheLastFree", 25, {25}, 'Y', 'Z'},
                                           TDriveCase{"AllMapped", 25, {25, 26}, 'Y', '\0'},
                                           TDriveCase{"NoFirstDrive", 0, {}, '\0', '\0'},
                                           TDriveCase{"BeyondZ", 27, {}, '\0', '\0'},
                                           TDriveCase{"FarBeyondZ", 0xFFFF, {}, '\0', '\0'}));

TEST_F(TNWIdentityTest, UnresolvableServerNameChangesNothingSilentlyButStillTells)
{
    int changes = 0;
    Base().OnServerChange = [&changes](QObject *) { ++changes; };
    control->messages.clear();
    Base().SetServerName(QStringLiteral("nowhere"));
    EXPECT_EQ(Base().ServerHandle(), 0x101u);
    EXPECT_EQ(Base().ServerName(), "ALPHA");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(control->messages, std::vector<unsigned>{TNWBase::kServerChangeMessage});

    Base().SetSilentExceptions(false);
    try {
        Base().SetServerName(QStringLiteral("nowhere"));
        ADD_FAILURE() << "no exception";
    } catch (const TNWObjError &e) {
        EXPECT_EQ(e.Message(), "Invalid Server Handle");
    }
}

TEST_F(TNWIdentityTest, ServerNameWritesChooseTheServerAndEmptyGoesBackToThePrimary)
{
    Base().SetServerName(QStringLiteral("beta"));
    EXPECT_EQ(Base().ServerHandle(), 0x102u);
    EXPECT_EQ(Base().ServerName(), "BETA");
    EXPECT_EQ(Base().ConnectionID(), 9);
    const QString login = TTestPeer<TNWBase>::CachedLoginID(Base());
    Base().SetServerName(QString());
    EXPECT_EQ(Base().ServerHandle(), 0x101u);
    EXPECT_EQ(Base().ServerName(), "ALPHA");
    EXPECT_EQ(TTestPeer<TNWBase>::CachedLoginID(Base()), login);
}

TEST_F(TNWIdentityTest, ConnectionNumberIsAskedOnEveryRead)
{
    Base();
    const int asked = fake.Calls("NWCCGetConnInfo");
    EXPECT_EQ(Base().ConnectionID(), 7);
    fake.connections.front().number = 8;
    EXPECT_EQ(Base().ConnectionID(), 8);
    GetLoginName(0);
    EXPECT_EQ(fake.Calls("NWCCGetConnInfo"), asked + 3);
}

TEST_F(TNWIdentityTest, LoginWritesAreUpperCasedAndTold)
{
    int changes = 0;
    Base().OnUserChange = [&changes](QObject *) { ++changes; };
    control->messages.clear();
    Base().SetLoginID(QStringLiteral("guest"));
    EXPECT_EQ(Base().LoginID(), "GUEST");
    fake.loginName = "OPERATOR";
    Base().SetLoginID(QString());
    EXPECT_EQ(Base().LoginID(), "OPERATOR");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(control->messages, (std::vector<unsigned>(2, TNWBase::kUserChangeMessage)));
}

TEST_F(TNWIdentityTest, EmptyLoginIsLearntOnFirstRead)
{
    fake.SetCode("NWGetConnectionInformation", NW_ERR_INVALID_CONNECTION);
    ASSERT_TRUE(TTestPeer<TNWBase>::CachedLoginID(Base()).isEmpty());
    EXPECT_EQ(Base().NWObjectType(), 0);
    EXPECT_EQ(fake.lastObjectName, "");
    fake.SetCode("NWGetConnectionInformation", NW_SUCCESS);
    EXPECT_EQ(Base().LoginID(), "SUPERVISOR");
}

TEST_F(TNWIdentityTest, FullNameComesFromTheDirectoryOrTheBinderyOrTheName)
{
    EXPECT_EQ(Base().LoginFullName(), "Sam Supervisor");
    EXPECT_EQ(fake.lastPropertyName, "IDENTIFICATION");
    EXPECT_EQ(fake.arguments["NWReadPropertyValue"], (std::vector<uint32_t>{0x101, 0x0100, 1}));
    EXPECT_EQ(GetFullName(0, QStringLiteral("  nobody  ")), "NOBODY");
}

TEST_F(TNWIdentityTest, FullNameOfADirectoryLoginComesFromTheDirectory)
{
    JoinTree();
    fake.dsAttributes["CN=ADMIN.ACME"]["Full Name"] = "Ada Admin";
    EXPECT_EQ(Base().LoginFullName(), "Ada Admin");
    EXPECT_EQ(fake.Calls("NWReadPropertyValue"), 0);
}

TEST_F(TNWIdentityTest, DefaultServerWrites)
{
    Base();
    fake.ResetCounts();
    Base().SetDefaultServer(QString());
    EXPECT_EQ(fake.TotalCalls(), 0);

    Base().SetDefaultServer(QStringLiteral("beta"));
    EXPECT_EQ(fake.preferredServer, "beta");
    EXPECT_EQ(fake.Calls("NWCCSetPrefServerName"), 1);
    EXPECT_EQ(TNWLib::Shared().primaryConnection, 0x102u);
    EXPECT_EQ(Base().DefaultServer(), "BETA");
    fake.ResetCounts();
    Base().SetDefaultServer(QStringLiteral("beta"));
    EXPECT_EQ(fake.TotalCalls(), 0);

    Base().SetDefaultServer(QStringLiteral("nowhere"));
    EXPECT_EQ(Base().LastError()->NWLib(), "8847");
    EXPECT_EQ(TNWLib::Shared().primaryConnection, 0x102u);

    fake.Remove("NWCCSetPrefServerName");
    ProcessState::ResetAll();
    TNWBase older;
    older.SetDefaultServer(QStringLiteral("ALPHA"));
    EXPECT_EQ(fake.arguments["NWSetPrimaryConnectionID"], std::vector<uint32_t>{0x101});
    EXPECT_EQ(TNWLib::Shared().primaryConnection, 0x101u);
}

TEST_F(TNWIdentityTest, RightsBroadcastAndErrorModes)
{
    EXPECT_TRUE(Base().ConsoleOperator());
    EXPECT_TRUE(Base().Manager());
    fake.SetCode("NWIsManager", NW_ERR_NO_CONSOLE_RIGHTS);
    EXPECT_FALSE(Base().Manager());
    EXPECT_EQ(Base().LastError()->NWLib(), "89C6");
    EXPECT_EQ(fake.arguments["NWIsManager"], std::vector<uint32_t>{0x101});

    EXPECT_EQ(Base().BroadcastMode(), TNWBase::nwBroadcastOff);
    fake.broadcastState = 9;
    EXPECT_EQ(Base().BroadcastMode(), TNWBase::nwBroadcastOn);
    Base().SetBroadcastMode(TNWBase::nwBroadcastStored);
    EXPECT_EQ(fake.arguments["NWSetBroadcastMode"], (std::vector<uint32_t>{0x101, 3}));
    SetBroadcastState(0, 1);
    EXPECT_EQ(fake.arguments["NWSetBroadcastMode"], (std::vector<uint32_t>{0, 1}));

    EXPECT_EQ(Base().ShellErrorMode(), TNWBase::nwErrInteractive);
    Base().SetShellErrorMode(TNWBase::nwErrDOS);
    EXPECT_EQ(fake.errorMode, 2);
    EXPECT_EQ(SetShellErrorMode(1), 2);
    EXPECT_EQ(Base().MaxServerConns(), 0x32);
}

TEST_F(TNWIdentityTest, ServerVersionAndDate)
{
    EXPECT_EQ(Base().ServerVersion(), "4.11");
    EXPECT_EQ(Base().ServerDate(), QDate(2026, 3, 2).startOfDay());
    Base().SetServerDate(QDateTime(QDate(2027, 1, 5), QTime(8, 9, 10)));
    EXPECT_EQ(fake.setDateTime, (std::array<uint8_t, 6>{127, 1, 5, 8, 9, 10}));

    fake.serverDate = {126, 13, 1};
    EXPECT_THROW(Base().ServerDate(), EDateConversionError);
    fake.SetCode("NWGetFileServerInformation", NW_ERR_INVALID_CONNECTION);
    EXPECT_EQ(Base().ServerVersion(), "0.0");
}

TEST_F(TNWIdentityTest, FormsStoreOnlyTheContextTheSilenceAndTheEvents)
{
    QStringList stored;
    for (const QMetaProperty &property : Published::Stored(&Base()))
        stored << property.name();
    EXPECT_EQ(stored, QStringList({"NDSContextName", "NDSContextFlags", "SilentExceptions"}));
    EXPECT_NE(Base().Event(QStringLiteral("OnServerChange")), nullptr);
    EXPECT_NE(Base().Event(QStringLiteral("OnUserChange")), nullptr);
}

TEST_F(TNWIdentityTest, VersionWriteShowsTheVersionsOnlyInADesigner)
{
    TRecordingPresenter presenter;
    TAdapterOverride<TMessagePresenter> useBoxes(presenter);
    Base().SetVersion(QStringLiteral("9"));
    EXPECT_TRUE(presenter.boxes.empty());
    Base().SetDesigning(true);
    Base().SetVersion(QStringLiteral("9"));
    ASSERT_EQ(presenter.boxes.size(), 1u);
    EXPECT_EQ(presenter.boxes[0].text, "NWLib Version: 3.34 - 11 Oct 1997\nComponent Version: 1.21");
    EXPECT_EQ(Base().Version(), "1.21 / 3.34 - 11 Oct 1997");
}
