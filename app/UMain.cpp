#include "app/UMain.h"

#include "app/Statistics.h"
#include "netware/NWServer.h"
#include "netware/NWServerStats.h"
#include "netware/nwbase.h"
#include "netware/nwlib.h"
#include "resources/Resources.h"
#include "runtime/Exception.h"
#include "runtime/MenuItem.h"
#include "runtime/MessageBox.h"
#include "runtime/ProcessState.h"
#include "runtime/WebBrowser.h"
#include "runtime/layout/LayoutReader.h"

namespace {

constexpr TColor kLime{0x00FF00u};

} // namespace

TMainUnit::TMainUnit() : CreateClient([] { return std::make_unique<TNWBase>(); })
{}

TMainUnit::~TMainUnit() = default;

TMainUnit &MainUnit()
{
    return TProcessState<TMainUnit>::Instance();
}

TFMain::TFMain(QWidget *parent) : TFMain(QString::fromUtf8(ReadResource(QStringLiteral("FMain.layout"))), parent) {}

TFMain::TFMain(const QString &layout, QWidget *parent) : TForm(parent)
{
    ReadLayout(this, layout);
}

void TFMain::StartUp()
{
    std::unique_ptr<TNWBase> &client = MainUnit().NWClient;
    try {
        client = MainUnit().CreateClient();
    } catch (const Exception &) {
        ShowPlainMessage(QStringLiteral("Unable to load Netware APIs"));
    }
    // Without a client component there is nothing to talk to: treat it as a missing client.
    if (!client || !client->NetAvailable()) {
        ShowInformation(QStringLiteral("NetWare Client APIs are not loaded."));
        Close();
    }
    if (!BuildServerMenu())
        ShowInformation(QStringLiteral("Sembrolin requires NetWare 4 console rights."));
}

bool TFMain::BuildServerMenu()
{
    PServer->Clear();
    bool added = false;
    for (const TNWServerEntry &server : GetServerList()) {
        TNWServerStats record;
        if (!GetServerStats(ConnectionByName(server.name), record))
            continue;
        auto *item = new TMenuItem(PServer);
        item->SetCaption(server.name);
        item->OnClick = [this](QObject *sender) { ServerItemClick(sender); };
        PServer->Add(item);
        added = true;
    }
    return added;
}

void TFMain::BExitClick(QObject *)
{
    Close();
}

void TFMain::ServerItemClick(QObject *Sender)
{
    if (auto *item = qobject_cast<TMenuItem *>(Sender))
        BServer->SetCaption(item->Caption());
}

void TFMain::TServerStatsTimer(QObject *)
{
    ToggleAdText();
    TNWServerStats record;
    if (!GetServerStats(SelectedConnection(), record))
        return;
    UpdateCPU(record);
    UpdateNCP(record);
}

void TFMain::UpdateCPU(const TNWServerStats &record)
{
    const auto cpu = std::int32_t(record.Utilization());
    Cpu.Reading->SetValue(cpu);
    Cpu.Meter->SetValue(cpu);
    Cpu.Record(cpu, SamplerStatistics().Cpu);
}

void TFMain::UpdateNCP(const TNWServerStats &record)
{
    TSamplerStatistics &sampler = SamplerStatistics();
    const std::int32_t delta = sampler.NextNcpDelta(std::int32_t(record.NCPRequests()));
    Ncp.Reading->SetValue(delta);
    Ncp.Record(delta, sampler.Ncp);
    if (const std::int32_t level = sampler.NcpLevel(); level >= 0)
        Ncp.Meter->SetValue(level);
}

uint32_t TFMain::SelectedConnection() const
{
    return ConnectionByName(BServer->Caption());
}

void TFMain::PMCPUClick(QObject *)
{
    BTakes->SetCaption(QStringLiteral("CPU"));
    PMain->SetActivePage(TCPU);
}

void TFMain::PMNCPClick(QObject *)
{
    BTakes->SetCaption(QStringLiteral("NCP"));
    PMain->SetActivePage(TNCP);
}

void TFMain::BExpanderClick(QObject *)
{
    const bool collapse = BExpander->Pressed();
    SetHeight(collapse ? kCollapsedHeight : kExpandedHeight);
    BExpander->SetHint(collapse ? QStringLiteral("Expand") : QStringLiteral("Collapse"));
}

void TFMain::RAdMouseEnter(QObject *)
{
    RAd->Font()->SetColor(TColor{0x0000FFu});
}

void TFMain::RAdMouseLeave(QObject *)
{
    RAd->Font()->SetColor(kLime);
}

void TFMain::RAdClick(QObject *)
{
    OpenWebAddress(MainUnit().AdToggle ? kMakerAddress : kDistributorAddress, QString(), QString());
}

void TFMain::ToggleAdText()
{
    bool &toggle = MainUnit().AdToggle;
    toggle = !toggle;
    RAd->SetCaption(toggle ? kMakerText : kDistributorText);
}

int OpenWebAddress(const QString &address, const QString &parameters, const QString &folder)
{
    return TWebBrowser::Current().OpenWebAddress(address, parameters, folder);
}
