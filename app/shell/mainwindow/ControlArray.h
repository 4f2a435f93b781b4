#pragma once
// A control array as the windows index it: N controls of one kind and name, indices First..First+N-1.

#include <array>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/ui/Control.h"

template <class T, int N, int First = 0>
class ControlArray {
public:
    void Create(plat::Container& parent, const std::string& name) {
        for (int i = 0; i < N; ++i)
            items_[static_cast<std::size_t>(i)] = std::make_unique<T>(parent, name, First + i);
    }
    // One item on a container of its own (the items of an array may sit in different frames).
    void Create(int index, plat::Container& parent, const std::string& name) {
        items_.at(static_cast<std::size_t>(index - First)) = std::make_unique<T>(parent, name, index);
    }
    T& operator()(int index) const {
        if (index < First || index >= First + N)
            throw std::out_of_range("control array index");
        return *items_[static_cast<std::size_t>(index - First)];
    }
    static constexpr int Lower() { return First; }
    static constexpr int Upper() { return First + N - 1; }

private:
    std::array<std::unique_ptr<T>, N> items_;
};
