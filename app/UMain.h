#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "app/Take.h"
#include "runtime/Bound.h"
#include "runtime/Form.h"
#include "runtime/PopupMenu.h"
#include "runtime/TestPeer.h"
#include "skin/ExplorerButton.h"
#include "skin/ExtPage.h"
#include "skin/LinkLabel.h"
#include "skin/TabSheet.h"

class TNWBase;
class TNWServerStats;

// The monitor's one window. Its controls come from the stored layout embedded with the program.
class TFMain : public TForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFMain)

public:
    explicit TFMain(QWidget *parent = nullptr);
    // The window built from another stored layout of it, e.g. one written back by the layout writer.
    explicit TFMain(const QString &layout, QWidget *parent = nullptr);

    // Creates the client component, checks the client and fills the server menu; the boxes it shows
    // appear before the window does.
    void StartUp();

    Q_INVOKABLE void ServerItemClick(QObject *Sender);
    // One sampling tick: both takes from one statistics request; a failed request changes nothing.
    Q_INVOKABLE void TServerStatsTimer(QObject *Sender);
    // Closing the main window ends the program.
    Q_INVOKABLE void BExitClick(QObject *Sender);
    Q_INVOKABLE void PMCPUClick(QObject *Sender);
    Q_INVOKABLE void PMNCPClick(QObject *Sender);
    // Runs after the click flipped the toggle: pressed collapses the window to its top rows.
    Q_INVOKABLE void BExpanderClick(QObject *Sender);
    Q_INVOKABLE void RAdMouseEnter(QObject *Sender);
    Q_INVOKABLE void RAdMouseLeave(QObject *Sender);
    // Opens the site the link names at this moment.
    Q_INVOKABLE void RAdClick(QObject *Sender);

    static constexpr int kCollapsedHeight = 75;
    static constexpr int kExpandedHeight = 182;
    static inline const QString kMakerText = QStringLiteral("Click to visit Harrowby Software");
    static inline const QString kDistributorText = QStringLiteral("Click to visit Pellmont");
    static inline const QString kMakerAddress = QStringLiteral("https://harrowby-software.example/");
    static inline const QString kDistributorAddress = QStringLiteral("https://pellmont.example/");

    TBound<TExplorerButton> BServer{this, "BServer"};
    TBound<TPopupMenu> PServer{this, "PServer"};
    TBound<TExplorerButton> BTakes{this, "BTakes"};
    TBound<TExplorerButton> BExpander{this, "BExpander"};
    TBound<TLinkLabel> RAd{this, "RAd"};
    TBound<TExtPageControl> PMain{this, "PMain"};
    TBound<TTabSheet> TCPU{this, "TCPU"};
    TBound<TTabSheet> TNCP{this, "TNCP"};

    // CPU utilisation in percent, green under 10; NCP requests a second, green under 25.
    TTake Cpu{this, QStringLiteral("CPU"), 10, 10.0};
    TTake Ncp{this, QStringLiteral("NCP"), 25, 25.0};

private:
    friend struct TTestPeer<TFMain>;

    // True when at least one server answered a statistics request and was added to the server menu.
    bool BuildServerMenu();
    // The connection of the server named on the server button; 0 (the primary connection) when the
    // name does not resolve.
    uint32_t SelectedConnection() const;
    void UpdateCPU(const TNWServerStats &record);
    void UpdateNCP(const TNWServerStats &record);
    // The link alternates between its two sites once a tick.
    void ToggleAdText();
};

// State of the main window's unit that outlives any one window. The client component has no owner and
// lives until the process ends; the client libraries must not be called while the process shuts down.
struct TMainUnit
{
    TMainUnit();
    ~TMainUnit();

    std::unique_ptr<TNWBase> NWClient;
    // Which of its two texts the link shows: the maker's after odd ticks.
    bool AdToggle = false;
    // How start-up makes it; tests put a failing maker here.
    std::function<std::unique_ptr<TNWBase>()> CreateClient;
};

TMainUnit &MainUnit();

// Hands the address to the desktop's default handler; the result is the platform's, which callers ignore.
int OpenWebAddress(const QString &address, const QString &parameters, const QString &folder);
