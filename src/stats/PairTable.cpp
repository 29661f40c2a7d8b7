#include "stats/PairTable.h"

#include <cstddef>

namespace karvo {

namespace {

constexpr int kBlocksPerFlush = 31; // 31 * 8 = 248, below a byte's 255

// The set bits of each byte of w, in that byte: the first steps of a population count, the ones
// that work within a byte, so that the counts of many words can be summed before they are added up.
std::uint64_t ByteCounts(std::uint64_t w)
{
    w -= (w >> 1) & 0x5555555555555555u;
    w = (w & 0x3333333333333333u) + ((w >> 2) & 0x3333333333333333u);
    return (w + (w >> 4)) & 0x0f0f0f0f0f0f0f0fu;
}

// The sum of the eight bytes of w: first into four 16-bit sums (at most 510 each), then one.
std::int64_t SumOfBytes(std::uint64_t w)
{
    w = (w & 0x00ff00ff00ff00ffu) + ((w >> 8) & 0x00ff00ff00ff00ffu);
    return static_cast<std::int64_t>((w * 0x0001000100010001u) >> 48);
}

} // namespace

PairTable::PairTable(int size)
    : m_size(size)
    , m_pending(static_cast<std::size_t>(size * size))
    , m_counts(static_cast<std::size_t>(size * size))
{
}

// Every pair's word of the block is taken, present or not: the loop over b is then plain
// arithmetic on consecutive words, which the compiler turns into vector instructions.
void PairTable::addBlock(const std::uint64_t* columns)
{
    for (int a = 0; a + 1 < m_size; ++a) {
        const std::uint64_t column = columns[a];
        if (column == 0) {
            continue;
        }
        std::uint64_t* pending = m_pending.data() + static_cast<std::ptrdiff_t>(a) * m_size;
        for (int b = a + 1; b < m_size; ++b) {
            pending[b] += ByteCounts(column & columns[b]);
        }
    }
    if (++m_pendingBlocks == kBlocksPerFlush) {
        flush();
    }
}

void PairTable::flush()
{
    for (std::size_t p = 0; p < m_pending.size(); ++p) {
        m_counts[p] += SumOfBytes(m_pending[p]);
        m_pending[p] = 0;
    }
    m_pendingBlocks = 0;
}

const std::vector<std::int64_t>& PairTable::counts()
{
    if (m_pendingBlocks > 0) {
        flush();
    }
    return m_counts;
}

} // namespace karvo
