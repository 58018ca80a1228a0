#include "app/UMain.h"

#include <QFile>

#include "netware/NWServer.h"
#include "netware/NWServerStats.h"
#include "netware/nwbase.h"
#include "netware/nwlib.h"
#include "runtime/Exception.h"
#include "runtime/LayoutReader.h"
#include "runtime/MenuItem.h"
#include "runtime/MessageBox.h"
#include "runtime/PopupMenu.h"
#include "skin/ExplorerButton.h"

// The layout is embedded in this static library; naming its resource keeps the linker from dropping it.
static QString StoredLayout()
{
    Q_INIT_RESOURCE(Resources);
    QFile file(QStringLiteral(":/FMain.layout"));
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("The main window's layout is missing from the program."));
    return QString::fromUtf8(file.readAll());
}

namespace {

template <class T>
T *Control(const QObject *form, const char *name)
{
    T *control = form->findChild<T *>(QLatin1String(name));
    if (!control)
        throw Exception(QStringLiteral("The main window's layout has no %1.").arg(QLatin1String(name)));
    return control;
}

} // namespace

TMainUnit &MainUnit()
{
    // Never destroyed: the client component lives until the process ends, and the client libraries must
    // not be called while the process shuts down.
    static TMainUnit &unit = *new TMainUnit{nullptr, [] { return std::make_unique<TNWBase>(); }};
    return unit;
}

TFMain::TFMain(QWidget *parent) : TForm(parent)
{
    ReadLayout(this, StoredLayout());
    BServer = Control<TExplorerButton>(this, "BServer");
    PServer = Control<TPopupMenu>(this, "PServer");
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

void TFMain::ServerItemClick(QObject *Sender)
{
    if (auto *item = qobject_cast<TMenuItem *>(Sender))
        BServer->SetCaption(item->Caption());
}

uint32_t TFMain::SelectedConnection() const
{
    return ConnectionByName(BServer->Caption());
}
