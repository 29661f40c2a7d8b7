// The table of cell texts a workbook read lays out row by row, also used as a scratch list of
// texts by the updates. Sized to what a read needs, never beyond the program-wide capacity.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace karvo {

class CellTable
{
public:
    // Indexes 0 to 3,000,000: the largest table a read may lay out.
    static constexpr std::size_t Capacity = 3000001;

    // Makes indexes 0 to count - 1 readable and empty; throws KarvoError beyond Capacity.
    void resetTo(std::size_t count);
    // Adds empty cells up to count, keeping the present ones; throws KarvoError beyond Capacity.
    void growTo(std::size_t count);
    std::size_t size() const { return m_cells.size(); }

    // Indexes outside the table read as empty; writes outside it are ignored.
    const std::string& operator[](std::size_t index) const;
    void set(std::size_t index, std::string text);
    std::string& at(std::size_t index) { return m_cells.at(index); }

private:
    std::vector<std::string> m_cells;
};

} // namespace karvo
