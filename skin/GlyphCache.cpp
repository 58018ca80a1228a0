#include "skin/GlyphCache.h"

#include "runtime/ProcessState.h"

TGlyphCache &TGlyphCache::Instance()
{
    return TProcessState<TGlyphCache>::Instance();
}

void TGlyphCache::Join(QSize size)
{
    ++m_lists[KeyOf(size)].users;
}

void TGlyphCache::Leave(QSize size)
{
    const auto list = m_lists.find(KeyOf(size));
    if (list != m_lists.end() && --list->second.users <= 0)
        m_lists.erase(list);
}

int TGlyphCache::Add(const QImage &image)
{
    TList &list = m_lists[KeyOf(image.size())];
    if (list.free.empty()) {
        list.images.push_back(image);
        return int(list.images.size()) - 1;
    }
    const int index = list.free.back();
    list.free.pop_back();
    list.images[index] = image;
    return index;
}

const QImage &TGlyphCache::Image(QSize size, int index) const
{
    return m_lists.at(KeyOf(size)).images.at(index);
}

void TGlyphCache::Remove(QSize size, int index)
{
    const auto list = m_lists.find(KeyOf(size));
    if (list == m_lists.end())
        return;
    list->second.images.at(index) = QImage();
    list->second.free.push_back(index);
}

int TGlyphCache::Images(QSize size) const
{
    const auto list = m_lists.find(KeyOf(size));
    return list == m_lists.end() ? 0 : int(list->second.images.size() - list->second.free.size());
}
