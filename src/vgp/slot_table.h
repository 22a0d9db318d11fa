#pragma once
// A pack's table of pictures by number, stored sparsely: only the slots that were given
// something are kept, and every other slot below size() reads as the table's hole value
// (the filler graph in graphics packs, null in pixmap packs). A pack file whose only
// picture is number 65535 costs one entry, not 65536: loading, copying, recolouring,
// saving and dropping a pack take work and memory in proportion to what it holds.
//
// It reads like the vector it replaces: table[n], size(), resize(), push_back().
// Reading a slot through a non-const table makes an entry for it (holding the hole
// value), so that table[n] = graph works; loops over a pack walk stored() instead of
// every number.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>

template <class T, const std::shared_ptr<T>& (*Hole)()>
class TSlotTable {
public:
    using Ptr = std::shared_ptr<T>;
    using Slots = std::map<size_t, Ptr>;

    TSlotTable() = default;
    TSlotTable(std::initializer_list<Ptr> list) {
        for (const Ptr& p : list) push_back(p);
    }

    size_t size() const { return count; }
    bool empty() const { return count == 0; }
    void clear() {
        slots.clear();
        count = 0;
    }
    // n slots; those at n and above are dropped, new ones read as the hole.
    void resize(size_t n) {
        slots.erase(slots.lower_bound(n), slots.end());
        count = n;
    }
    // n slots, every one holding p (the hole value stores nothing).
    void assign(size_t n, const Ptr& p) {
        clear();
        count = n;
        if (p != Hole())
            for (size_t i = 0; i < n; i++) slots.emplace(i, p);
    }
    void push_back(Ptr p) {
        if (p != Hole()) slots[count] = std::move(p);
        count++;
    }
    // Slot i turns back into a hole.
    void reset(size_t i) { slots.erase(i); }

    // Slot i's content, or the hole value (also past the end).
    const Ptr& operator[](size_t i) const {
        const auto it = slots.find(i);
        return it != slots.end() ? it->second : Hole();
    }
    // Slot i, made an entry of its own (holding the hole value) when it was none.
    Ptr& operator[](size_t i) { return slots.try_emplace(i, Hole()).first->second; }

    // The entries, in increasing slot number; they may hold the hole value too.
    const Slots& stored() const { return slots; }
    Slots& stored() { return slots; }

private:
    Slots slots;
    size_t count = 0;
};
