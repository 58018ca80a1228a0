#pragma once

#include <vector>

#include "runtime/MessageEvent.h"
#include "runtime/WinControl.h"

// A windowed control that remembers the window messages it was sent.
class TRecordingControl : public TWinControl
{
public:
    using TWinControl::TWinControl;
    std::vector<unsigned> messages;

protected:
    void WindowMessage(TMessageEvent &message) override { messages.push_back(message.Msg()); }
};
