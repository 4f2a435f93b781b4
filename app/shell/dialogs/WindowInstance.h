#pragma once
// A window's default instance, created on first use and replaced by a fresh one once it has been
// unloaded. Every instance can be deleted at once while the application still runs: windows must not
// outlive the toolkit's own state, which ends before the program's static objects do.

#include <functional>
#include <memory>

#include "platform/ui/Form.h"

// Deletes every window made through a WindowInstance (the program's end, and between tests).
void DeleteWindowInstances();
void RegisterWindowInstance(std::function<void()> deleter);

template <class T>
class WindowInstance {
public:
    T& operator()() {
        if (!form_ || form_->WasUnloaded()) {
            plat::RetireForm(std::move(form_));
            if (!registered_) {
                RegisterWindowInstance([this] { form_.reset(); });
                registered_ = true;
            }
            form_ = std::make_unique<T>();
        }
        return *form_;
    }
    bool Exists() const { return form_ && !form_->WasUnloaded(); }

private:
    std::unique_ptr<T> form_;
    bool registered_ = false;
};
