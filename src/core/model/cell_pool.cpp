#include "core/model/cell_pool_p.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace qor {

namespace {

constexpr size_t kBlockAlign = alignof(void *);

size_t roundUp(size_t n, size_t to) { return (n + to - 1) / to * to; }

} // namespace

CellPool::CellPool(size_t blockSize, const CellHome *home, size_t blocksPerSlab)
    : m_home(home), m_blockSize(std::max(roundUp(blockSize, kBlockAlign), sizeof(FreeBlock))),
      m_firstBlock(roundUp(sizeof(SlabHead), kBlockAlign))
{
    const size_t room = (kCellSlabBytes - m_firstBlock) / m_blockSize;
    m_blocksPerSlab = std::max<size_t>(blocksPerSlab == 0 ? room : std::min(blocksPerSlab, room), 1);
    m_nextInSlab = m_blocksPerSlab;
}

CellPool::~CellPool()
{
    for (void *slab : m_slabs)
        std::free(slab);
}

CellPool &CellPool::Of(const void *block)
{
    auto *head = reinterpret_cast<const SlabHead *>(reinterpret_cast<uintptr_t>(block) & ~(kCellSlabBytes - 1));
    return *head->pool;
}

void *CellPool::AllocateFromNewSlab()
{
    if (m_slabs.size() == m_slabs.capacity()) // so that the push below cannot lose the slab
        m_slabs.reserve(std::max<size_t>(8, m_slabs.capacity() * 2));
    void *slab = std::aligned_alloc(kCellSlabBytes, kCellSlabBytes);
    if (!slab)
        throw std::bad_alloc();
    ::new (slab) SlabHead{m_home, this};
    m_slabs.push_back(slab);
    m_nextInSlab = 1;
    ++m_inUse;
    return static_cast<std::byte *>(slab) + m_firstBlock;
}

void CellPool::Release(void *block)
{
    if (!block)
        return;
    auto *f = static_cast<FreeBlock *>(block);
    f->next = m_free;
    m_free = f;
    if (--m_inUse == 0)
        Trim();
}

void CellPool::Trim()
{
    if (m_inUse != 0)
        return;
    for (void *slab : m_slabs)
        std::free(slab);
    m_slabs.clear();
    m_free = nullptr;
    m_nextInSlab = m_blocksPerSlab;
}

} // namespace qor
