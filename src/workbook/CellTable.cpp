#include "workbook/CellTable.h"

#include "util/KarvoError.h"

#include <algorithm>

namespace karvo {

namespace {

void CheckCapacity(std::size_t count)
{
    if (count > CellTable::Capacity) {
        throw KarvoError("Το βιβλίο εργασίας έχει περισσότερα από " + std::to_string(CellTable::Capacity - 1)
                         + " κελιά, περισσότερα από όσα διαβάζει το πρόγραμμα.");
    }
}

} // namespace

void CellTable::growTo(std::size_t count)
{
    CheckCapacity(count);
    if (count > m_cells.size()) {
        m_cells.resize(count);
    }
}

void CellTable::resetTo(std::size_t count)
{
    CheckCapacity(count);
    // Assigning keeps the allocation of an earlier, larger read for the next one.
    const std::size_t kept = std::min(count, m_cells.size());
    for (std::size_t i = 0; i < kept; ++i) {
        m_cells[i].clear();
    }
    m_cells.resize(count);
}

const std::string& CellTable::operator[](std::size_t index) const
{
    static const std::string empty;
    return index < m_cells.size() ? m_cells[index] : empty;
}

void CellTable::set(std::size_t index, std::string text)
{
    if (index < m_cells.size()) {
        m_cells[index] = std::move(text);
    }
}

} // namespace karvo
