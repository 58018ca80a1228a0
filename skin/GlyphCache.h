#pragma once

#include <map>
#include <utility>
#include <vector>

#include <QImage>
#include <QSize>

#include "runtime/TestPeer.h"

// The prepared button images of every glyph, one list per image size, shared by all glyphs of that size.
// A list is made for its first glyph and freed with its last.
class TGlyphCache
{
public:
    static TGlyphCache &Instance();

    void Join(QSize size);
    void Leave(QSize size);
    // Stores an image in its size's list; returns its index there.
    int Add(const QImage &image);
    const QImage &Image(QSize size, int index) const;
    void Remove(QSize size, int index);

private:
    friend struct TTestPeer<TGlyphCache>;

    int Images(QSize size) const;

    struct TList
    {
        int users = 0;
        std::vector<QImage> images;
        std::vector<int> free;
    };
    using TKey = std::pair<int, int>;

    static TKey KeyOf(QSize size) { return {size.width(), size.height()}; }

    std::map<TKey, TList> m_lists;
};
