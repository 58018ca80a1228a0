#include "skin/LinkLabel.h"

TLinkLabel::TLinkLabel(QWidget *parent) : TCustomLinkLabel(parent)
{}
