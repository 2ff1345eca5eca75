#pragma once
// Emscripten 3.1.6's C++ library has no std::atomic_ref yet. The web build
// includes this header ahead of every source: where the library lacks it, it
// gives std::atomic_ref the atomic loads, stores and exchanges the game uses,
// over the compiler's atomic builtins (what the library's own does).
#include <atomic>

#ifndef __cpp_lib_atomic_ref
namespace std {
template <class T>
class atomic_ref {
public:
    explicit atomic_ref(T& object) : object_(&object) {}
    void store(T value, memory_order = memory_order_seq_cst) const noexcept {
        __atomic_store_n(object_, value, __ATOMIC_SEQ_CST);
    }
    T load(memory_order = memory_order_seq_cst) const noexcept { return __atomic_load_n(object_, __ATOMIC_SEQ_CST); }
    T exchange(T value, memory_order = memory_order_seq_cst) const noexcept {
        return __atomic_exchange_n(object_, value, __ATOMIC_SEQ_CST);
    }

private:
    T* object_;
};
}  // namespace std
#endif
