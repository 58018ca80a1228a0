#include "app/UMain.h"

#include "netware/NWServer.h"
#include "netware/NWServerStats.h"
#include "netware/nwbase.h"
#include "netware/nwlib.h"
#include "resources/Resources.h"
#include "runtime/Exception.h"
#include "runtime/MenuItem.h"
#include "runtime/MessageBox.h"
#include "runtime/ProcessState.h"
#include "runtime/layout/LayoutReader.h"

TMainUnit::TMainUnit() : CreateClient([] { return std::make_unique<TNWBase>(); })
{}

TMainUnit::~TMainUnit() = default;

TMainUnit &MainUnit()
{
    return TProcessState<TMainUnit>::Instance();
}

TFMain::TFMain(QWidget *parent) : TForm(parent)
{
    ReadLayout(this, QString::fromUtf8(ReadResource(QStringLiteral("FMain.layout"))));
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

uint32_t TFMain::SelectedConnection() const
{
    return ConnectionByName(BServer->Caption());
}
