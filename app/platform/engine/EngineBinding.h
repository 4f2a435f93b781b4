#ifndef PLATFORM_ENGINE_ENGINEBINDING_H
#define PLATFORM_ENGINE_ENGINEBINDING_H

#include <memory>
#include <stdexcept>
#include <string>

namespace plat {

// The field engine's run interface as the program calls it. The real one is the shared library
// bound by name at run time; tests substitute their own.
class IEngine {
public:
    virtual ~IEngine() = default;
    virtual int Kelv_start(const std::string& inPath, const std::string& plotPath,
                           const std::string& groundPath) = 0;
    virtual int Kelv_stop() = 0;
    virtual int Kelv_getProgress() = 0;
    virtual int Kelv_getLastError() = 0;
};

// The engine library or one of its exports could not be found. MissingName() is the library's
// file name or the export's name.
class EngineLoadError : public std::runtime_error {
public:
    EngineLoadError(std::string missingName, const std::string& message);
    const std::string& MissingName() const { return missingName_; }

private:
    std::string missingName_;
};

// The engine library's file name.
inline constexpr const char* kEngineLibraryName = "libKelvd.so";

// An engine library opened with dlopen and its four exports found with dlsym.
class DynamicEngine final : public IEngine {
public:
    // Opens the library at `path` (a bare file name searches the loader path). Throws
    // EngineLoadError naming the library or the first missing export.
    explicit DynamicEngine(const std::string& path);
    ~DynamicEngine() override;
    DynamicEngine(const DynamicEngine&) = delete;
    DynamicEngine& operator=(const DynamicEngine&) = delete;

    int Kelv_start(const std::string& inPath, const std::string& plotPath,
                   const std::string& groundPath) override;
    int Kelv_stop() override;
    int Kelv_getProgress() override;
    int Kelv_getLastError() override;

    // The file the library was loaded from, as given.
    const std::string& Path() const { return path_; }

private:
    using StartFn = int (*)(const char*, const char*, const char*);
    using IntFn = int (*)();
    std::string path_;
    void* handle_ = nullptr;
    StartFn start_ = nullptr;
    IntFn stop_ = nullptr;
    IntFn progress_ = nullptr;
    IntFn lastError_ = nullptr;
};

// The folder of the running executable (from /proc/self/exe), without a closing '/'.
std::string ExecutableFolder();

// Binds the engine library: libKelvd.so beside the executable in `exeFolder` first, then by
// bare name through the loader path. Throws EngineLoadError when neither loads or an export
// is missing.
std::unique_ptr<IEngine> LoadEngine(const std::string& exeFolder = ExecutableFolder());

// The program's engine: bound on first use (as the library is loaded at the first call),
// unless a test has installed its own.
IEngine& Engine();
// Installs `engine` as the program's engine (nullptr: bind the real library again on next use).
void SetEngine(std::unique_ptr<IEngine> engine);

} // namespace plat

#endif
