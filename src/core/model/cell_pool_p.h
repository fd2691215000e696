#pragma once
// Storage of one grid's cells: fixed-size blocks carved from large slabs. A cell then costs its
// own size, with no allocator header, and filling a sheet costs no allocator search per cell.
#include <cstddef>
#include <memory>
#include <vector>
#include "platform/qor_global.h"

namespace qor {

class QOR_AUTOTEST_EXPORT CellPool {
public:
    explicit CellPool(size_t blockSize, size_t blocksPerSlab = 1024);
    ~CellPool();
    CellPool(const CellPool &) = delete;
    CellPool &operator=(const CellPool &) = delete;

    // Throws std::bad_alloc when no slab can be had.
    void *Allocate();
    void Release(void *block);
    size_t BlocksInUse() const { return m_inUse; }
    size_t SlabCount() const { return m_slabs.size(); }
    // Gives every slab back when no block is in use (after the grid freed all its cells).
    void Trim();

private:
    struct FreeBlock {
        FreeBlock *next;
    };
    size_t m_blockSize;
    size_t m_blocksPerSlab;
    std::vector<std::unique_ptr<std::byte[]>> m_slabs;
    FreeBlock *m_free = nullptr;
    size_t m_nextInSlab = 0; // blocks handed out of the newest slab so far
    size_t m_inUse = 0;
};

} // namespace qor
