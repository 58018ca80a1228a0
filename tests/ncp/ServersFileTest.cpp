#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "ncp/ServersFile.h"

using ncp::ServersConfig;
using ncp::ServersFile;
using ncp::ServersFileError;

namespace {

ServersConfig parse(const std::string &text)
{
    std::istringstream input(text);
    return ServersFile::Parse(input);
}

struct BadLine
{
    const char *text;
    int line;
    const char *message;
};

class BadServersFile : public testing::TestWithParam<BadLine>
{
};

// A servers file in a fresh folder of its own, with the given permissions.
class ServersFileOnDisk : public testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path() /
                   ("sembrolin-servers-" + std::to_string(::getpid()) + "-" +
                    testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::string write(const std::string &name, const std::string &text, mode_t mode)
    {
        const std::filesystem::path path = m_folder / name;
        std::ofstream(path) << text;
        ::chmod(path.c_str(), mode);
        return path.string();
    }

    std::string errorOf(const std::string &path)
    {
        try {
            ServersFile::Read(path);
        } catch (const ServersFileError &error) {
            return error.what();
        }
        return {};
    }

    std::filesystem::path m_folder;
};

} // namespace

TEST(ServersFile, ReadsServersUsersAndTheTrace)
{
    const ServersConfig config = parse("# the office\n"
                                       "server alpha.example\n"
                                       "SERVER 10.0.0.5:5524 user=ops password=s3cret primary   # second\n"
                                       "server [::1]:1524 User=Ada password-file=ada.pw\n"
                                       "server [fe80::1%eth0]\n"
                                       "trace /tmp/ncp.pcap\n");
    ASSERT_EQ(config.servers.size(), 4u);
    EXPECT_EQ(config.servers[0].host, "alpha.example");
    EXPECT_EQ(config.servers[0].port, 524);
    EXPECT_TRUE(config.servers[0].user.empty());
    EXPECT_EQ(config.servers[1].port, 5524);
    EXPECT_EQ(config.servers[1].user, "ops");
    EXPECT_EQ(config.servers[1].password, "s3cret");
    EXPECT_EQ(config.servers[1].line, 3);
    EXPECT_EQ(config.servers[2].host, "::1");
    EXPECT_EQ(config.servers[2].port, 1524);
    EXPECT_EQ(config.servers[2].passwordFile, "ada.pw");
    EXPECT_EQ(config.servers[3].host, "fe80::1%eth0");
    EXPECT_EQ(config.servers[3].port, 524);
    EXPECT_EQ(config.tracePath, "/tmp/ncp.pcap");
    EXPECT_EQ(config.PrimaryIndex(), 1u);
    EXPECT_EQ(parse("server a\nserver b\n").PrimaryIndex(), 0u);
}

// Each fault names its line, and no message ever repeats what followed "password=".
TEST_P(BadServersFile, NamesTheLineAndNeverThePassword)
{
    try {
        parse(GetParam().text);
        FAIL() << "accepted: " << GetParam().text;
    } catch (const ServersFileError &error) {
        EXPECT_EQ(error.Line(), GetParam().line);
        EXPECT_NE(std::string(error.what()).find(GetParam().message), std::string::npos) << error.what();
        EXPECT_EQ(std::string(error.what()).find("hunter2"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BadServersFile,
    testing::Values(
        BadLine{"server\n", 1, "needs a host"}, BadLine{"\nserver :524\n", 2, "host is missing"},
        BadLine{"server alpha:0\n", 1, "port must be"}, BadLine{"server alpha:65536\n", 1, "port must be"},
        BadLine{"server alpha:5x\n", 1, "port must be"}, BadLine{"server ::1\n", 1, "in brackets"},
        BadLine{"server [::1\n", 1, "closing bracket"}, BadLine{"server [::1]x\n", 1, "only a port"},
        BadLine{"server alpha pasword=hunter2\n", 1, "unknown setting \"pasword\""},
        BadLine{"server alpha password=hunter2\n", 1, "needs a user"},
        BadLine{"server alpha user=a password=hunter2 password-file=p\n", 1, "not both"},
        BadLine{"server alpha user=\n", 1, "needs a value"},
        BadLine{"server alpha user=ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZ\n", 1, "47"},
        BadLine{"server a primary\nserver b primary\n", 0, "more than one"},
        BadLine{"trace\n", 1, "one file"}, BadLine{"servers alpha\n", 1, "unknown statement"}));

TEST_F(ServersFileOnDisk, APasswordOthersCanReadIsRefused)
{
    const std::string open = write("servers", "server a user=ops password=hunter2\n", 0644);
    EXPECT_NE(errorOf(open).find("can be read by others"), std::string::npos);
    const std::string closed = write("private", "server a user=ops password=hunter2\n", 0600);
    EXPECT_EQ(errorOf(closed), "");
    // Without a password there is nothing to protect.
    EXPECT_EQ(errorOf(write("plain", "server a user=ops\n", 0644)), "");
}

TEST_F(ServersFileOnDisk, PasswordFilesAreReadBesideTheServersFile)
{
    write("ops.pw", "hunter2\n", 0600);
    const std::string servers = write("servers", "server a user=ops password-file=ops.pw\n", 0600);
    EXPECT_EQ(ServersFile::Read(servers).servers[0].password, "hunter2");
    write("ops.pw", "hunter2\n", 0640);
    EXPECT_NE(errorOf(servers).find("can be read by others"), std::string::npos);
    const std::string missing = write("missing", "server a user=ops password-file=none.pw\n", 0600);
    EXPECT_NE(errorOf(missing).find("cannot read the password file"), std::string::npos);
    EXPECT_NE(errorOf((m_folder / "absent").string()).find("cannot read"), std::string::npos);
}
