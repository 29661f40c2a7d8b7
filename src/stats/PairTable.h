// How often each two numbers of a range came in the same draw, counted 64 draws at a time.
#pragma once

#include <cstdint>
#include <vector>

namespace karvo {

// The numbers are 0..size - 1, size at most 128. Pair (a, b), a < b, lies at a * size + b.
class PairTable
{
public:
    explicit PairTable(int size);

    // Adds a block of up to 64 draws: columns[n] has bit j set when number n is in the block's draw j.
    void addBlock(const std::uint64_t* columns);
    // The counts of every pair, the blocks so far added in; the lower half and the diagonal are 0.
    const std::vector<std::int64_t>& counts();

    int size() const { return m_size; }

private:
    void flush();

    int m_size;
    // Each pair's word holds eight byte-wide counts not yet added to its count: a byte gains at most
    // 8 a block, so they are added in every kBlocksPerFlush blocks, before a byte can overflow.
    std::vector<std::uint64_t> m_pending;
    std::vector<std::int64_t> m_counts;
    int m_pendingBlocks = 0;
};

} // namespace karvo
