#pragma once

#include <vector>

#include <QString>

#include "runtime/MessageBox.h"

// Stands in for the screen: remembers each box that was asked for instead of waiting for a person.
class TRecordingPresenter : public TMessagePresenter
{
public:
    struct Box
    {
        TMessageKind kind;
        QString caption;
        QString text;
    };

    void Present(TMessageKind kind, const QString &caption, const QString &text) override
    {
        boxes.push_back({kind, caption, text});
    }

    std::vector<Box> boxes;
};
