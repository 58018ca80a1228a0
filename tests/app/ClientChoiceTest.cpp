#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "app/ClientChoice.h"
#include "runtime/LibraryLoader.h"
#include "tests/runtime/RecordingPresenter.h"

namespace {

// A folder of its own for each test, standing for the user's configuration folder too.
class ClientChoice : public testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::path(testing::TempDir()) /
                   ("client-choice-" + std::to_string(::getpid()) + "-" +
                    testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_folder / "sembrolin");
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(m_folder.string()));
        qunsetenv("SEMBROLIN_SERVERS");
    }
    void TearDown() override
    {
        TLibraryLoader::Override(nullptr);
        std::filesystem::remove_all(m_folder);
    }

    QString write(const std::string &name, const std::string &text)
    {
        const std::filesystem::path path = m_folder / name;
        std::ofstream(path) << text;
        ::chmod(path.c_str(), 0600);
        return QString::fromStdString(path.string());
    }

    bool ourClientChosen() const { return &TLibraryLoader::Current() != &TLibraryLoader::Platform(); }

    std::filesystem::path m_folder;
    TRecordingPresenter m_presenter;
    TAdapterOverride<TMessagePresenter> m_boxes{m_presenter};
};

} // namespace

TEST_F(ClientChoice, ABadServersFileIsNamedWithItsLineInABoxAndOnStandardError)
{
    const QString path = write("servers", "server alpha\nserver beta:99999\n");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(ChooseClient(path));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find(path.toStdString() + ":2: the port must be"), std::string::npos) << said;
    ASSERT_EQ(m_presenter.boxes.size(), 1u);
    EXPECT_EQ(m_presenter.boxes[0].kind, TMessageKind::Error);
    EXPECT_TRUE(m_presenter.boxes[0].text.contains(path + QStringLiteral(", line 2")));
    EXPECT_FALSE(ourClientChosen());
}

// The user's own servers file counts as one named on the command line; the client gets its name only.
TEST_F(ClientChoice, TheUsersServersFileChoosesOurClient)
{
    const QString path = write("sembrolin/servers", "server alpha user=ops password=Thistle\n");
    EXPECT_TRUE(ChooseClient(QString()));
    EXPECT_TRUE(ourClientChosen());
    EXPECT_EQ(qgetenv("SEMBROLIN_SERVERS"), path.toUtf8());
    EXPECT_TRUE(m_presenter.boxes.empty());
}

TEST_F(ClientChoice, WithoutAServersFileTheClientIsFoundAsBefore)
{
    EXPECT_TRUE(ChooseClient(QString()));
    EXPECT_FALSE(ourClientChosen());
    EXPECT_TRUE(qEnvironmentVariableIsEmpty("SEMBROLIN_SERVERS"));
}
