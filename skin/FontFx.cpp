#include "skin/FontFx.h"

TFontFx::TFontFx(QObject *parent) : TPersistent(parent)
{}

void TFontFx::SetDisabledStyle(TDisabledStyle style)
{
    if (m_disabledStyle == style)
        return;
    m_disabledStyle = style;
    Changed();
}
