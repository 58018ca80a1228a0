#pragma once

#include <QString>

// Shows the text in the information box, each ";" starting a new line. The screen's cursor becomes the
// default one while the box is up and is given back afterwards, also when the box raises.
void ShowNotice(const QString &text);
