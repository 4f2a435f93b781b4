#include "platform/services/FileDialog.h"

#include <filesystem>

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QStringList>

#include "platform/services/ModalFocus.h"

namespace plat {

namespace {

std::unique_ptr<IFileDialogService>& Installed() {
    static std::unique_ptr<IFileDialogService> service;
    return service;
}

QString ToQ(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (c == separator) {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::string ToQtFilter(const std::string& filter) {
    if (filter.empty()) {
        return "";
    }
    const std::vector<std::string> parts = Split(filter, '|');
    std::string result;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string patterns;
        for (const std::string& p : Split(parts[i + 1], ';')) {
            std::string pattern = Trimmed(p);
            if (pattern.empty()) {
                continue;
            }
            if (pattern == "*.*") {
                pattern = "*";
            }
            patterns += (patterns.empty() ? "" : " ") + pattern;
        }
        result += (result.empty() ? "" : ";;") + parts[i] + " (" + patterns + ")";
    }
    return result;
}

std::optional<std::string> QtFileDialogService::Show(const FileDialogRequest& request) {
    const QStringList filters = ToQ(ToQtFilter(request.filter)).split(";;", Qt::SkipEmptyParts);
    QString selected = request.filterIndex >= 1 && request.filterIndex <= filters.size()
                           ? filters[request.filterIndex - 1]
                           : QString();
    // Start in the folder of the name given, else InitDir, else the current directory.
    namespace fs = std::filesystem;
    const fs::path given(request.fileName);
    QString start = ToQ(request.fileName);
    if (!given.has_parent_path() && !request.initDir.empty()) {
        start = ToQ((fs::path(request.initDir) / given).string());
    }
    QFileDialog::Options options;
    if (!(request.flags & cdlOFNOverwritePrompt)) {
        options |= QFileDialog::DontConfirmOverwrite;
    }
    const ModalFocus focus;
    QWidget* parent = focus.Window();
    const QString title = ToQ(request.title);
    const QString chosen =
        request.kind == FileDialogKind::Open
            ? QFileDialog::getOpenFileName(parent, title, start, filters.join(";;"), &selected, options)
            : QFileDialog::getSaveFileName(parent, title, start, filters.join(";;"), &selected, options);
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return chosen.toLatin1().toStdString();
}

std::optional<std::uint32_t> QtFileDialogService::ShowColor(const ColorDialogRequest& request) {
    const QColor initial(static_cast<int>(request.colour & 0xFF),
                         static_cast<int>((request.colour >> 8) & 0xFF),
                         static_cast<int>((request.colour >> 16) & 0xFF));
    const ModalFocus focus;
    const QColor chosen = QColorDialog::getColor(initial, focus.Window());
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(chosen.red()) | (static_cast<std::uint32_t>(chosen.green()) << 8) |
           (static_cast<std::uint32_t>(chosen.blue()) << 16);
}

std::optional<FontChoice> QtFileDialogService::ShowFont(const FontDialogRequest& request) {
    QFont initial(ToQ(request.name));
    if (request.size > 0) {
        initial.setPointSizeF(request.size);
    }
    bool chosen = false;
    const ModalFocus focus;
    const QFont font = QFontDialog::getFont(&chosen, initial, focus.Window());
    if (!chosen) {
        return std::nullopt;
    }
    return FontChoice{font.family().toLatin1().toStdString(), font.pointSizeF()};
}

void ScriptedFileDialogs::ExpectFile(std::string fileName) {
    fileAnswers_.emplace_back(std::move(fileName));
}
void ScriptedFileDialogs::ExpectCancel() {
    fileAnswers_.emplace_back(std::nullopt);
}
void ScriptedFileDialogs::ExpectColour(std::uint32_t colour) {
    colourAnswers_.emplace_back(colour);
}
void ScriptedFileDialogs::ExpectColourCancel() {
    colourAnswers_.emplace_back(std::nullopt);
}
void ScriptedFileDialogs::ExpectFont(FontChoice font) {
    fontAnswers_.emplace_back(std::move(font));
}
void ScriptedFileDialogs::ExpectFontCancel() {
    fontAnswers_.emplace_back(std::nullopt);
}

std::optional<std::string> ScriptedFileDialogs::Show(const FileDialogRequest& request) {
    requests_.push_back(request);
    if (fileAnswers_.empty()) {
        ++unexpected_;
        if (OnUnexpected) {
            OnUnexpected(std::string(request.kind == FileDialogKind::Open ? "open" : "save") +
                         " dialog, filter \"" + request.filter + "\", name \"" + request.fileName + "\"");
        }
        return std::nullopt;
    }
    std::optional<std::string> answer = fileAnswers_.front();
    fileAnswers_.erase(fileAnswers_.begin());
    return answer;
}

std::optional<std::uint32_t> ScriptedFileDialogs::ShowColor(const ColorDialogRequest&) {
    if (colourAnswers_.empty()) {
        ++unexpected_;
        if (OnUnexpected) {
            OnUnexpected("colour dialog");
        }
        return std::nullopt;
    }
    const std::optional<std::uint32_t> answer = colourAnswers_.front();
    colourAnswers_.erase(colourAnswers_.begin());
    return answer;
}

std::optional<FontChoice> ScriptedFileDialogs::ShowFont(const FontDialogRequest& request) {
    fontRequests_.push_back(request);
    if (fontAnswers_.empty()) {
        ++unexpected_;
        if (OnUnexpected) {
            OnUnexpected("font dialog, font \"" + request.name + "\"");
        }
        return std::nullopt;
    }
    std::optional<FontChoice> answer = fontAnswers_.front();
    fontAnswers_.erase(fontAnswers_.begin());
    return answer;
}

IFileDialogService& FileDialogService() {
    auto& service = Installed();
    if (!service) {
        service = std::make_unique<QtFileDialogService>();
    }
    return *service;
}

void SetFileDialogService(std::unique_ptr<IFileDialogService> service) {
    Installed() = std::move(service);
}

std::optional<std::string> CommonDialog::AskFile(FileDialogKind kind) const {
    return FileDialogService().Show(FileDialogRequest{kind, Filter, FilterIndex, FileName, DialogTitle, InitDir, Flags});
}

bool CommonDialog::SaveNameChosen() {
    const std::optional<std::string> chosen = AskFile(FileDialogKind::Save);
    if (chosen) {
        FileName = *chosen;
    }
    return chosen.has_value();
}

void CommonDialog::ShowFile(FileDialogKind kind) {
    const std::optional<std::string> chosen = AskFile(kind);
    if (!chosen) {
        if (CancelError) {
            throw DialogCancelledError();
        }
        return;
    }
    FileName = *chosen;
}

void CommonDialog::ShowOpen() {
    ShowFile(FileDialogKind::Open);
}
void CommonDialog::ShowSave() {
    ShowFile(FileDialogKind::Save);
}

void CommonDialog::ShowColor() {
    const std::optional<std::uint32_t> chosen =
        FileDialogService().ShowColor(ColorDialogRequest{Color, Flags});
    if (!chosen) {
        if (CancelError) {
            throw DialogCancelledError();
        }
        return;
    }
    Color = *chosen;
}

void CommonDialog::ShowFont() {
    const std::optional<FontChoice> chosen =
        FileDialogService().ShowFont(FontDialogRequest{FontName, FontSize, Flags});
    if (!chosen) {
        if (CancelError) {
            throw DialogCancelledError();
        }
        return;
    }
    FontName = chosen->name;
    FontSize = chosen->size;
}

std::string CommonDialog::FileTitle() const {
    return std::filesystem::path(FileName).filename().string();
}

} // namespace plat
