#pragma once
// Storage of one store's cells: fixed-size blocks carved from slabs aligned to their size. A
// cell then costs its own size, with no allocator header, filling a sheet costs no allocator
// search per cell, and every block finds its home and its pool from the head of its slab.
#include <cstddef>
#include <vector>
#include "core/model/cell_home.h"

namespace qor {

class QOR_AUTOTEST_EXPORT CellPool {
public:
    // blocksPerSlab 0: as many as a slab holds.
    CellPool(size_t blockSize, const CellHome *home, size_t blocksPerSlab = 0);
    ~CellPool();
    CellPool(const CellPool &) = delete;
    CellPool &operator=(const CellPool &) = delete;

    // Throws std::bad_alloc when no slab can be had.
    void *Allocate()
    {
        if (!m_free && m_nextInSlab == m_blocksPerSlab)
            return AllocateFromNewSlab();
        ++m_inUse;
        if (FreeBlock *block = m_free) {
            m_free = block->next;
            return block;
        }
        return static_cast<std::byte *>(m_slabs.back()) + m_firstBlock + m_blockSize * m_nextInSlab++;
    }
    void Release(void *block);
    // The pool a block came from.
    static CellPool &Of(const void *block);
    size_t BlocksInUse() const { return m_inUse; }
    size_t SlabCount() const { return m_slabs.size(); }
    // Gives every slab back when no block is in use (after the grid freed all its cells).
    void Trim();

private:
    struct SlabHead {
        const CellHome *home; // first: CellHomeOf reads it
        CellPool *pool;
    };
    struct FreeBlock {
        FreeBlock *next;
    };
    void *AllocateFromNewSlab();
    const CellHome *m_home;
    size_t m_blockSize;
    size_t m_firstBlock; // offset of the first block in a slab, past the head
    size_t m_blocksPerSlab;
    std::vector<void *> m_slabs;
    FreeBlock *m_free = nullptr;
    size_t m_nextInSlab = 0; // blocks handed out of the newest slab so far
    size_t m_inUse = 0;
};

} // namespace qor
