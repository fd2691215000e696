#include "core/model/cell_pool_p.h"

#include <algorithm>
#include <new>

namespace qor {

CellPool::CellPool(size_t blockSize, size_t blocksPerSlab)
    : m_blockSize(std::max((blockSize + alignof(std::max_align_t) - 1) / alignof(std::max_align_t) *
                               alignof(std::max_align_t),
                           sizeof(FreeBlock))),
      m_blocksPerSlab(std::max<size_t>(blocksPerSlab, 1)), m_nextInSlab(m_blocksPerSlab)
{
}

CellPool::~CellPool() = default;

void *CellPool::Allocate()
{
    if (m_free) {
        FreeBlock *block = m_free;
        m_free = block->next;
        ++m_inUse;
        return block;
    }
    if (m_nextInSlab == m_blocksPerSlab) {
        m_slabs.push_back(std::unique_ptr<std::byte[]>(new std::byte[m_blockSize * m_blocksPerSlab]));
        m_nextInSlab = 0;
    }
    void *block = m_slabs.back().get() + m_blockSize * m_nextInSlab++;
    ++m_inUse;
    return block;
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
    m_slabs.clear();
    m_free = nullptr;
    m_nextInSlab = m_blocksPerSlab;
}

} // namespace qor
