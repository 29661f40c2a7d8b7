// In-place quicksorts: middle pivot copied once, exchanges from both ends, recursion on both parts.
#include "util/Sorting.h"

#include "util/Cp1253.h"

#include <QCollator>
#include <QLocale>
#include <utility>
#include <vector>

namespace karvo {

namespace {

// The one quicksort behind every list: less compares an element (by index) with the pivot copy
// either way round, exchange(i, j) swaps two elements and whatever travels with them.
template <typename Less, typename Exchange, typename Copy>
void quickSort(int l, int r, bool descending, const Less& less, const Copy& copyPivot, const Exchange& exchange)
{
    while (l < r) {
        const auto pivot = copyPivot((l + r) / 2);
        int i = l;
        int j = r;
        do {
            if (descending) {
                while (less(pivot, i)) {
                    ++i;
                }
                while (less(j, pivot)) {
                    --j;
                }
            } else {
                while (less(i, pivot)) {
                    ++i;
                }
                while (less(pivot, j)) {
                    --j;
                }
            }
            if (i <= j) {
                exchange(i, j);
                ++i;
                --j;
            }
        } while (i <= j);
        // Recurse into the smaller part and loop on the larger, so the stack stays shallow.
        if (j - l < r - i) {
            if (l < j) {
                quickSort(l, j, descending, less, copyPivot, exchange);
            }
            l = i;
        } else {
            if (i < r) {
                quickSort(i, r, descending, less, copyPivot, exchange);
            }
            r = j;
        }
    }
}

// Compares an element (by index) or the pivot (by value) for the quicksort above.
template <typename T>
struct ByValue
{
    std::span<T> a;
    struct Pivot
    {
        T value;
    };
    bool operator()(int x, const Pivot& p) const { return a[static_cast<std::size_t>(x)] < p.value; }
    bool operator()(const Pivot& p, int x) const { return p.value < a[static_cast<std::size_t>(x)]; }
};

const QCollator& greekCollator()
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Greek, QLocale::Greece));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

} // namespace

void SortInts(int l, int r, bool descending, std::span<int> a)
{
    using Cmp = ByValue<int>;
    quickSort(
        l, r, descending, Cmp{a}, [&](int k) { return Cmp::Pivot{a[static_cast<std::size_t>(k)]}; },
        [&](int i, int j) { std::swap(a[static_cast<std::size_t>(i)], a[static_cast<std::size_t>(j)]); });
}

void SortFloatsWithTexts(int l, int r, bool descending, std::span<float> values, std::span<std::string> texts)
{
    using Cmp = ByValue<float>;
    quickSort(
        l, r, descending, Cmp{values}, [&](int k) { return Cmp::Pivot{values[static_cast<std::size_t>(k)]}; },
        [&](int i, int j) {
            std::swap(values[static_cast<std::size_t>(i)], values[static_cast<std::size_t>(j)]);
            std::swap(texts[static_cast<std::size_t>(i)], texts[static_cast<std::size_t>(j)]);
        });
}

void SortTexts(int l, int r, bool descending, std::span<std::string> texts)
{
    if (l >= r) {
        return;
    }
    // Each text's collation key is made once; the keys travel with the texts through the sort.
    const QCollator& collator = greekCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(static_cast<std::size_t>(r - l) + 1);
    for (int k = l; k <= r; ++k) {
        keys.push_back(collator.sortKey(ToQString(texts[static_cast<std::size_t>(k)])));
    }
    struct Pivot
    {
        QCollatorSortKey value;
    };
    struct Cmp
    {
        const std::vector<QCollatorSortKey>& keys;
        int base;
        const QCollatorSortKey& at(int k) const { return keys[static_cast<std::size_t>(k - base)]; }
        bool operator()(int x, const Pivot& p) const { return at(x).compare(p.value) < 0; }
        bool operator()(const Pivot& p, int x) const { return p.value.compare(at(x)) < 0; }
    };
    const Cmp cmp{keys, l};
    quickSort(
        l, r, descending, cmp, [&](int k) { return Pivot{cmp.at(k)}; },
        [&](int i, int j) {
            std::swap(keys[static_cast<std::size_t>(i - l)], keys[static_cast<std::size_t>(j - l)]);
            std::swap(texts[static_cast<std::size_t>(i)], texts[static_cast<std::size_t>(j)]);
        });
}

} // namespace karvo
