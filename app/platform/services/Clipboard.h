#ifndef PLATFORM_SERVICES_CLIPBOARD_H
#define PLATFORM_SERVICES_CLIPBOARD_H

#include <memory>
#include <string>

namespace plat {

// The clipboard's text (8-bit, as the program's texts are).
class IClipboardService {
public:
    virtual ~IClipboardService() = default;
    virtual std::string GetText() = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual void Clear() = 0;
};

class QtClipboardService final : public IClipboardService {
public:
    std::string GetText() override;
    void SetText(const std::string& text) override;
    void Clear() override;
};

// A clipboard private to the process, for tests.
class MemoryClipboard final : public IClipboardService {
public:
    std::string GetText() override { return text_; }
    void SetText(const std::string& text) override { text_ = text; }
    void Clear() override { text_.clear(); }

private:
    std::string text_;
};

IClipboardService& Clipboard();
// Installs a service (nullptr: the system clipboard).
void SetClipboardService(std::unique_ptr<IClipboardService> service);

} // namespace plat

#endif
