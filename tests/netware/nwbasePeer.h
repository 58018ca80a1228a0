#pragma once

#include "netware/nwbase.h"

template <> struct TTestPeer<TNWBase>
{
    static QString CachedLoginID(const TNWBase &base) { return base.m_loginID; }
    static uint16_t BinderyType(TNWBase::TNWObjType type) { return TNWBase::BinderyType(type); }
    static std::optional<TNWBase::TNWObjType> ObjectTypeOf(uint16_t value) { return TNWBase::ObjectTypeOf(value); }
};
