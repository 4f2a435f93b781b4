#ifndef PLATFORM_SERVICES_FILEDIALOG_H
#define PLATFORM_SERVICES_FILEDIALOG_H

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace plat {

// Flags of the file dialogs that change what they do.
inline constexpr int cdlOFNOverwritePrompt = 0x2;
// Which fonts the font dialog lists: screen fonts, printer fonts, or both.
inline constexpr int cdlCFScreenFonts = 0x1;
inline constexpr int cdlCFPrinterFonts = 0x2;
inline constexpr int cdlCFBoth = 0x3;

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    // "description|pattern;pattern|description|pattern..."
    std::string filter;
    int filterIndex = 1;
    std::string fileName;
    std::string title;
    std::string initDir;
    int flags = 0;
};

struct ColorDialogRequest {
    std::uint32_t colour = 0;
    int flags = 0;
};

struct FontDialogRequest {
    std::string name;
    double size = 0;
    int flags = 0;
};

struct FontChoice {
    std::string name;
    double size = 0;
};

class IFileDialogService {
public:
    virtual ~IFileDialogService() = default;
    // The chosen file, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> Show(const FileDialogRequest& request) = 0;
    // The chosen colour (0x00BBGGRR), or nothing when the dialog was cancelled.
    virtual std::optional<std::uint32_t> ShowColor(const ColorDialogRequest& request) = 0;
    // The chosen font and size in points, or nothing when the dialog was cancelled.
    virtual std::optional<FontChoice> ShowFont(const FontDialogRequest& request) = 0;
};

// The dialogs on screen.
class QtFileDialogService final : public IFileDialogService {
public:
    std::optional<std::string> Show(const FileDialogRequest& request) override;
    std::optional<std::uint32_t> ShowColor(const ColorDialogRequest& request) override;
    std::optional<FontChoice> ShowFont(const FontDialogRequest& request) override;
};

// Answers dialogs in the order the answers were given (a name, or a cancel) and records every
// request. A dialog with no answer left is recorded as unexpected, reported through
// OnUnexpected, and cancelled.
class ScriptedFileDialogs final : public IFileDialogService {
public:
    void ExpectFile(std::string fileName);
    void ExpectCancel();
    void ExpectColour(std::uint32_t colour);
    void ExpectColourCancel();
    void ExpectFont(FontChoice font);
    void ExpectFontCancel();
    std::optional<std::string> Show(const FileDialogRequest& request) override;
    std::optional<std::uint32_t> ShowColor(const ColorDialogRequest& request) override;
    std::optional<FontChoice> ShowFont(const FontDialogRequest& request) override;

    const std::vector<FileDialogRequest>& Requests() const { return requests_; }
    const std::vector<FontDialogRequest>& FontRequests() const { return fontRequests_; }
    int Unexpected() const { return unexpected_; }
    int Unanswered() const {
        return static_cast<int>(fileAnswers_.size() + colourAnswers_.size() + fontAnswers_.size());
    }

    std::function<void(const std::string& what)> OnUnexpected;

private:
    std::vector<std::optional<std::string>> fileAnswers_;
    std::vector<std::optional<std::uint32_t>> colourAnswers_;
    std::vector<std::optional<FontChoice>> fontAnswers_;
    std::vector<FileDialogRequest> requests_;
    std::vector<FontDialogRequest> fontRequests_;
    int unexpected_ = 0;
};

// The filter text in Qt's form: "desc (p1 p2);;desc (p)"; "*.*" becomes "*".
std::string ToQtFilter(const std::string& filter);

IFileDialogService& FileDialogService();
// Installs a service (nullptr: the on-screen one).
void SetFileDialogService(std::unique_ptr<IFileDialogService> service);

// Raised by a common dialog with CancelError set when the user cancels it.
class DialogCancelledError : public std::runtime_error {
public:
    DialogCancelledError() : std::runtime_error("Cancel was selected.") {}
};

// A window's common dialog. It keeps FileName (and Color, FontName, FontSize) between uses. A cancelled
// dialog raises DialogCancelledError when CancelError is set, and otherwise leaves FileName as it was.
class CommonDialog {
public:
    std::string FileName;
    std::string Filter;
    int FilterIndex = 1;
    std::string DialogTitle;
    std::string InitDir;
    int Flags = 0;
    bool CancelError = false;
    std::uint32_t Color = 0;
    std::string FontName;
    double FontSize = 0;

    void ShowOpen();
    void ShowSave();
    // Shows the save dialog; false when the user cancels it (FileName then unchanged), whatever
    // CancelError says.
    bool SaveNameChosen();
    void ShowColor();
    // Starts from FontName and FontSize and leaves the choice in them.
    void ShowFont();
    // FileName without its folder.
    std::string FileTitle() const;

private:
    void ShowFile(FileDialogKind kind);
    std::optional<std::string> AskFile(FileDialogKind kind) const;
};

} // namespace plat

#endif
