#include "platform/engine/EngineBinding.h"

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace plat {

namespace {

std::unique_ptr<IEngine>& InstalledEngine() {
    static std::unique_ptr<IEngine> engine;
    return engine;
}

std::string LastDlError() {
    const char* text = dlerror();
    return text ? text : "unknown error";
}

} // namespace

EngineLoadError::EngineLoadError(std::string missingName, const std::string& message)
    : std::runtime_error(message), missingName_(std::move(missingName)) {}

DynamicEngine::DynamicEngine(const std::string& path) : path_(path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        throw EngineLoadError(kEngineLibraryName,
                              "Cannot load the engine library " + path + ": " + LastDlError());
    }
    auto find = [this](const char* name) {
        dlerror();
        void* symbol = dlsym(handle_, name);
        if (!symbol) {
            const std::string reason = LastDlError();
            dlclose(handle_);
            handle_ = nullptr;
            throw EngineLoadError(name, std::string("The engine library ") + path_ + " has no export " +
                                            name + ": " + reason);
        }
        return symbol;
    };
    start_ = reinterpret_cast<StartFn>(find("Kelv_start"));
    stop_ = reinterpret_cast<IntFn>(find("Kelv_stop"));
    progress_ = reinterpret_cast<IntFn>(find("Kelv_getProgress"));
    lastError_ = reinterpret_cast<IntFn>(find("Kelv_getLastError"));
}

DynamicEngine::~DynamicEngine() {
    if (handle_) {
        dlclose(handle_);
    }
}

int DynamicEngine::Kelv_start(const std::string& inPath, const std::string& plotPath,
                              const std::string& groundPath) {
    return start_(inPath.c_str(), plotPath.c_str(), groundPath.c_str());
}

int DynamicEngine::Kelv_stop() {
    return stop_();
}
int DynamicEngine::Kelv_getProgress() {
    return progress_();
}
int DynamicEngine::Kelv_getLastError() {
    return lastError_();
}

std::string ExecutableFolder() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return ".";
    }
    return exe.parent_path().string();
}

std::unique_ptr<IEngine> LoadEngine(const std::string& exeFolder) {
    const std::filesystem::path beside = std::filesystem::path(exeFolder) / kEngineLibraryName;
    std::error_code error;
    if (std::filesystem::exists(beside, error)) {
        return std::make_unique<DynamicEngine>(beside.string());
    }
    return std::make_unique<DynamicEngine>(kEngineLibraryName);
}

IEngine& Engine() {
    auto& engine = InstalledEngine();
    if (!engine) {
        engine = LoadEngine();
    }
    return *engine;
}

void SetEngine(std::unique_ptr<IEngine> engine) {
    InstalledEngine() = std::move(engine);
}

} // namespace plat
