#pragma once

// A table of the terrain code indexed by cell (i, j), both from 1: the terrain
// heights, the reach grid and its connection codes. Column i = 1..ni runs
// along the grid frame's x (west to east), row j = 1..nj along y (south to
// north). The cells of one column lie together, south to north, the way a
// Condor terrain file stores them, so that a file column is read straight
// into the table.
//
// An index outside the table is a fault of the calling code: it ends the run
// with a message naming the table's size and the index (cell_index_fault).

#include <cstddef>
#include <memory>
#include <span>
#include <utility>
#include <vector>

// Ends the run for an index outside a table of ni x nj cells.
[[noreturn]] void cell_index_fault(int i, int j, int ni, int nj);

// An allocator whose value-less construction leaves a number uninitialised,
// so that a table about to be overwritten whole is not filled first.
template <typename T>
struct OverwriteAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = OverwriteAllocator<U>;
    };
    OverwriteAllocator() = default;
    template <typename U>
    OverwriteAllocator(const OverwriteAllocator<U>&) noexcept {}
    template <typename U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

template <typename T>
class CellTable {
public:
    CellTable() = default;
    CellTable(int ni, int nj, const T& fill) { assign(ni, nj, fill); }

    // Makes the table ni x nj (no cells when either is below 1), every cell
    // `fill`.
    void assign(int ni, int nj, const T& fill) {
        ni_ = ni > 0 && nj > 0 ? ni : 0;
        nj_ = ni > 0 && nj > 0 ? nj : 0;
        cells_.assign(static_cast<std::size_t>(ni_) * static_cast<std::size_t>(nj_), fill);
    }
    // Makes the table ni x nj with cells the caller overwrites before reading
    // them: a table of numbers is not filled, and one of that size already
    // keeps its memory.
    void assign_for_overwrite(int ni, int nj) {
        ni_ = ni > 0 && nj > 0 ? ni : 0;
        nj_ = ni > 0 && nj > 0 ? nj : 0;
        const std::size_t n = static_cast<std::size_t>(ni_) * static_cast<std::size_t>(nj_);
        if (cells_.size() != n) {
            // Released first, so that nothing of the old cells is copied.
            cells_ = decltype(cells_){};
            cells_.resize(n);
        }
    }
    void fill(const T& value) { cells_.assign(cells_.size(), value); }

    int ni() const { return ni_; }
    int nj() const { return nj_; }
    bool empty() const { return cells_.empty(); }
    bool holds(int i, int j) const { return i >= 1 && i <= ni_ && j >= 1 && j <= nj_; }

    T& operator()(int i, int j) { return cells_[index(i, j)]; }
    const T& operator()(int i, int j) const { return cells_[index(i, j)]; }

    // Column i (rows 1..nj, from its row 1), for the loops that run along it.
    std::span<T> column(int i) { return std::span<T>(cells_).subspan(index(i, 1), static_cast<std::size_t>(nj_)); }
    std::span<const T> column(int i) const {
        return std::span<const T>(cells_).subspan(index(i, 1), static_cast<std::size_t>(nj_));
    }
    // Every cell, column after column.
    std::span<T> cells() { return cells_; }
    std::span<const T> cells() const { return cells_; }

    void swap(CellTable& other) noexcept {
        std::swap(ni_, other.ni_);
        std::swap(nj_, other.nj_);
        cells_.swap(other.cells_);
    }

private:
    std::size_t index(int i, int j) const {
        if (!holds(i, j)) {
            cell_index_fault(i, j, ni_, nj_);
        }
        return static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(nj_) + static_cast<std::size_t>(j - 1);
    }

    int ni_ = 0;
    int nj_ = 0;
    std::vector<T, OverwriteAllocator<T>> cells_;
};
