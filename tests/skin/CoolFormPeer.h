#pragma once

#include "skin/CoolForm.h"

template <> struct TTestPeer<TCoolForm>
{
    static const QImage &Bitmap(const TCoolForm &coolForm) { return coolForm.m_bitmap; }
    static void SetBitmap(TCoolForm &coolForm, const QImage &bitmap) { coolForm.SetBitmap(bitmap); }
    static bool Dragging(const TCoolForm &coolForm) { return coolForm.m_dragging; }
    static QPoint Grab(const TCoolForm &coolForm) { return coolForm.m_grab; }
    static const QByteArray &MaskBytes(const TCoolForm &coolForm) { return coolForm.m_maskBytes; }
};
