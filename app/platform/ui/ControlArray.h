#ifndef PLATFORM_UI_CONTROLARRAY_H
#define PLATFORM_UI_CONTROLARRAY_H

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include "platform/ui/Control.h"

namespace plat {

// Controls of one kind sharing a name, indexed as the windows index them (from 0, from 1, or with
// gaps). The array's events carry the index of the element that raised them; set them on the
// array, not on its elements:
//   txtAntX.LostFocus = [this](int index) { txtAntX_LostFocus(index); };
template <class T> class ControlArray {
public:
    ControlArray(Container& parent, std::string name) : parent_(parent), name_(std::move(name)) {}
    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;

    // Creates the element `index` (arguments after the index go to its constructor).
    template <class... Args> T& Load(int index, Args&&... args) {
        return LoadIn(parent_, index, std::forward<Args>(args)...);
    }
    // Creates the element in another container (a frame) of the same window.
    template <class... Args> T& LoadIn(Container& container, int index, Args&&... args) {
        if (Exists(index)) {
            throw std::invalid_argument("control array element already loaded: " + name_);
        }
        auto control = std::make_unique<T>(container, name_, index, std::forward<Args>(args)...);
        T& element = *control;
        Wire(element, index);
        items_.emplace(index, std::move(control));
        return element;
    }
    void Unload(int index) { items_.erase(index); }

    bool Exists(int index) const { return items_.count(index) != 0; }
    T& operator()(int index) const {
        auto it = items_.find(index);
        if (it == items_.end()) {
            throw std::out_of_range("no element " + std::to_string(index) + " in " + name_);
        }
        return *it->second;
    }
    int Count() const { return static_cast<int>(items_.size()); }
    int LBound() const { return items_.empty() ? 0 : items_.begin()->first; }
    int UBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }
    const std::string& Name() const { return name_; }

    // Visits the elements in index order.
    template <class F> void ForEach(F&& visit) const {
        for (const auto& [index, control] : items_) {
            visit(index, *control);
        }
    }

    std::function<void(int index)> Click;
    std::function<void(int index)> Change;
    std::function<void(int index)> Validate;
    std::function<void(int index)> GotFocus;
    std::function<void(int index)> LostFocus;
    std::function<void(int index, int& keyCode, int shift)> KeyDown;
    std::function<void(int index, int& keyAscii)> KeyPress;

private:
    void Wire(T& element, int index) {
        element.GotFocus = [this, index] { Forward(GotFocus, index); };
        element.LostFocus = [this, index] { Forward(LostFocus, index); };
        element.KeyDown = [this, index](int& keyCode, int shift) {
            if (KeyDown) {
                KeyDown(index, keyCode, shift);
            }
        };
        element.KeyPress = [this, index](int& keyAscii) {
            if (KeyPress) {
                KeyPress(index, keyAscii);
            }
        };
        if constexpr (requires { element.Click = std::function<void()>(); }) {
            element.Click = [this, index] { Forward(Click, index); };
        }
        if constexpr (requires { element.Change = std::function<void()>(); }) {
            element.Change = [this, index] { Forward(Change, index); };
        }
        if constexpr (requires { element.Validate = std::function<void()>(); }) {
            element.Validate = [this, index] { Forward(Validate, index); };
        }
    }
    static void Forward(const std::function<void(int)>& handler, int index) {
        if (handler) {
            handler(index);
        }
    }

    Container& parent_;
    std::string name_;
    std::map<int, std::unique_ptr<T>> items_;
};

} // namespace plat

#endif
