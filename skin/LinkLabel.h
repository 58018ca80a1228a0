#pragma once

#include "skin/CustomLinkLabel.h"

// The link label as windows store it.
class TLinkLabel : public TCustomLinkLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TLinkLabel)

public:
    explicit TLinkLabel(QWidget *parent = nullptr);
};
