#include "app/Classes.h"

#include "displays/chart/BarSeries.h"
#include "displays/chart/Chart.h"
#include "displays/DispLEDLbl.h"
#include "displays/DispLEDs.h"
#include "displays/DispLevel.h"
#include "runtime/Label.h"
#include "runtime/MenuItem.h"
#include "runtime/PopupMenu.h"
#include "runtime/layout/ClassRegistry.h"
#include "skin/CoolForm.h"
#include "skin/ExplorerButton.h"
#include "skin/ExtPage.h"
#include "skin/LinkLabel.h"
#include "skin/TabSheet.h"
#include "skin/TimerLst.h"

void RegisterClasses()
{
    TClassRegistry &registry = TClassRegistry::Instance();

    registry.RegisterClass<TPopupMenu>();
    registry.RegisterClass<TMenuItem>();
    registry.RegisterClass<TLabel>();

    registry.RegisterClass<TCoolForm>();
    registry.RegisterClass<TExplorerButton>();
    registry.RegisterClass<TLinkLabel>();
    registry.RegisterClass<TExtPageControl>();
    registry.RegisterClass<TTabSheet>();
    registry.RegisterClass<TTimerList>();
    registry.RegisterClass<TTimerEvent>();

    registry.RegisterClass<TDispLEDPanel>();
    registry.RegisterClass<TDispLEDDigit>();
    registry.RegisterClass<TDispLEDLabel>();
    registry.RegisterClass<TDispLevel>();
    registry.RegisterClass<TChart>();
    registry.RegisterClass<TBarSeries>();
}
