#include "displays/chart/ChartFont.h"

#include "runtime/Font.h"

TFont *NewChartFont(QObject *parent, std::function<void()> changed)
{
    auto *font = new TFont(parent);
    font->SetName(QStringLiteral("Arial"));
    font->SetSize(8);
    font->SetColor(clBlack);
    font->SetChangeHandler(std::move(changed));
    return font;
}
