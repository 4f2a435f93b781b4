#ifndef PLATFORM_SERVICES_MESSAGEBOX_H
#define PLATFORM_SERVICES_MESSAGEBOX_H

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace plat {

// Buttons, icon and default button of a message box, added together.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbAbortRetryIgnore = 2;
inline constexpr int vbYesNoCancel = 3;
inline constexpr int vbYesNo = 4;
inline constexpr int vbRetryCancel = 5;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
inline constexpr int vbDefaultButton2 = 256;
inline constexpr int vbDefaultButton3 = 512;

// The button that closed a message box.
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbAbort = 3;
inline constexpr int vbRetry = 4;
inline constexpr int vbIgnore = 5;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

struct MessageBoxRequest {
    std::string prompt;
    int buttons = vbOKOnly;
    std::string title;
};

// The buttons a box of this style offers, in order (vbOK, vbCancel, ...).
std::vector<int> MessageBoxButtons(int buttons);

class IMessageBoxService {
public:
    virtual ~IMessageBoxService() = default;
    // Shows the box modally and returns the button that closed it.
    virtual int Show(const MessageBoxRequest& request) = 0;
};

// The box on screen. Closing it by its title bar answers Cancel where it has one.
class QtMessageBoxService final : public IMessageBoxService {
public:
    int Show(const MessageBoxRequest& request) override;
};

// Answers boxes by their text, in the order the answers were given, and records every box.
// A box that no answer expects is recorded as unexpected, reported through OnUnexpected, and
// answered with Cancel where it has one, else its first button.
class ScriptedMessageBoxes final : public IMessageBoxService {
public:
    void Expect(std::string prompt, int answer);
    int Show(const MessageBoxRequest& request) override;

    const std::vector<MessageBoxRequest>& Shown() const { return shown_; }
    const std::vector<MessageBoxRequest>& Unexpected() const { return unexpected_; }
    // Prompts of expected boxes that have not been shown.
    std::vector<std::string> Unanswered() const;

    std::function<void(const MessageBoxRequest&)> OnUnexpected;

private:
    struct Answer {
        std::string prompt;
        int answer;
        bool used = false;
    };
    std::vector<Answer> answers_;
    std::vector<MessageBoxRequest> shown_;
    std::vector<MessageBoxRequest> unexpected_;
};

// Shows a message box through the program's message box service. An empty title shows the
// application's name.
int MsgBox(const std::string& prompt, int buttons = vbOKOnly, const std::string& title = "");

IMessageBoxService& MessageBoxService();
// Installs a service (nullptr: the on-screen one).
void SetMessageBoxService(std::unique_ptr<IMessageBoxService> service);

} // namespace plat

#endif
