#pragma once
// PtrList: the growable list of element pointers behind every container of the
// program. It holds pointers only; whether the elements belong to the list is
// up to the container that uses it (DeleteAll destroys them, Remove does not).
#include <cstdint>
#include <cstring>

template <typename T>
class PtrList {
public:
    explicit PtrList(int32_t initialCapacity = 1)
        : count(0), capacity(initialCapacity < 1 ? 1 : initialCapacity),
          items(new T*[capacity]()) {}
    ~PtrList() { delete[] items; }

    PtrList(const PtrList&) = delete;
    PtrList& operator=(const PtrList&) = delete;

    // Appends the pointer, doubling the slot array when it is full.
    T* Add(T* item) {
        if (count == capacity) {
            T** grown = new T*[capacity * 2]();
            std::memcpy(grown, items, sizeof(T*) * capacity);
            delete[] items;
            items = grown;
            capacity *= 2;
        }
        items[count++] = item;
        return item;
    }

    // Takes the first slot holding this address out of the list; later
    // elements move down one slot. The element itself is left alone.
    void Remove(T* item) {
        for (int32_t i = 0; i < count; ++i) {
            if (items[i] == item) {
                for (int32_t j = i; j + 1 < count; ++j) items[j] = items[j + 1];
                items[--count] = nullptr;
                return;
            }
        }
    }

    int32_t Count() const { return count; }
    int32_t Capacity() const { return capacity; }
    T* Get(int32_t index) const { return items[index]; }
    void Set(int32_t index, T* item) { items[index] = item; }

    // Destroys every element (for containers that own theirs) and empties the
    // list; the slot array keeps its capacity.
    void DeleteAll() {
        for (int32_t i = 0; i < count; ++i) {
            delete items[i];
            items[i] = nullptr;
        }
        count = 0;
    }

private:
    int32_t count;
    int32_t capacity;
    T** items;
};
