#include "skin/RegionType.h"

#include "skin/CoolForm.h"

TRegionType::TRegionType(TCoolForm *owner) : TPersistent(owner)
{}
