#pragma once

#include <QString>

#include "runtime/Adapter.h"

enum class TMessageKind
{
    Plain,       // caption the application title, no icon
    Information, // caption "Information", information icon, centred on the screen
    Error,       // the standard error box: caption the application title, error icon
};

// Puts a modal box with one OK button on the screen and waits for it; timers keep firing meanwhile.
// Tests put a recording fake in its place.
class TMessagePresenter : public TAdapter<TMessagePresenter>
{
public:
    virtual void Present(TMessageKind kind, const QString &caption, const QString &text) = 0;

    static TMessagePresenter &Platform();
};

void ShowPlainMessage(const QString &text);
void ShowInformation(const QString &text);
void ShowErrorMessage(const QString &text);
