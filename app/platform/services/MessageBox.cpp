#include "platform/services/MessageBox.h"

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include "platform/services/ModalFocus.h"

namespace plat {

namespace {

std::unique_ptr<IMessageBoxService>& Installed() {
    static std::unique_ptr<IMessageBoxService> service;
    return service;
}

QString ToQ(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::StandardButton QtButton(int answer) {
    switch (answer) {
    case vbOK:
        return QMessageBox::Ok;
    case vbCancel:
        return QMessageBox::Cancel;
    case vbAbort:
        return QMessageBox::Abort;
    case vbRetry:
        return QMessageBox::Retry;
    case vbIgnore:
        return QMessageBox::Ignore;
    case vbYes:
        return QMessageBox::Yes;
    default:
        return QMessageBox::No;
    }
}

} // namespace

std::vector<int> MessageBoxButtons(int buttons) {
    switch (buttons & 0x7) {
    case vbOKCancel:
        return {vbOK, vbCancel};
    case vbAbortRetryIgnore:
        return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel:
        return {vbYes, vbNo, vbCancel};
    case vbYesNo:
        return {vbYes, vbNo};
    case vbRetryCancel:
        return {vbRetry, vbCancel};
    default:
        return {vbOK};
    }
}

int QtMessageBoxService::Show(const MessageBoxRequest& request) {
    const ModalFocus focus;
    QMessageBox box(focus.Window());
    QString text = ToQ(request.prompt);
    text.replace("\r\n", "\n").replace('\r', '\n');
    box.setText(text);
    box.setWindowTitle(request.title.empty() ? QCoreApplication::applicationName() : ToQ(request.title));
    switch (request.buttons & 0x70) {
    case vbCritical:
        box.setIcon(QMessageBox::Critical);
        break;
    case vbQuestion:
        box.setIcon(QMessageBox::Question);
        break;
    case vbExclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case vbInformation:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    const std::vector<int> answers = MessageBoxButtons(request.buttons);
    for (int answer : answers) {
        box.addButton(QtButton(answer));
    }
    const std::size_t defaultIndex = (request.buttons & vbDefaultButton3)   ? 2
                                     : (request.buttons & vbDefaultButton2) ? 1
                                                                            : 0;
    box.setDefaultButton(QtButton(answers[std::min(defaultIndex, answers.size() - 1)]));
    const bool hasCancel = std::find(answers.begin(), answers.end(), vbCancel) != answers.end();
    if (hasCancel) {
        box.setEscapeButton(QMessageBox::Cancel);
    }
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (int answer : answers) {
        if (clicked && box.button(QtButton(answer)) == clicked) {
            return answer;
        }
    }
    return hasCancel ? vbCancel : answers.front();
}

void ScriptedMessageBoxes::Expect(std::string prompt, int answer) {
    answers_.push_back(Answer{std::move(prompt), answer});
}

int ScriptedMessageBoxes::Show(const MessageBoxRequest& request) {
    shown_.push_back(request);
    for (Answer& a : answers_) {
        if (!a.used && a.prompt == request.prompt) {
            a.used = true;
            return a.answer;
        }
    }
    unexpected_.push_back(request);
    if (OnUnexpected) {
        OnUnexpected(request);
    }
    const std::vector<int> answers = MessageBoxButtons(request.buttons);
    return std::find(answers.begin(), answers.end(), vbCancel) != answers.end() ? vbCancel : answers.front();
}

std::vector<std::string> ScriptedMessageBoxes::Unanswered() const {
    std::vector<std::string> prompts;
    for (const Answer& a : answers_) {
        if (!a.used) {
            prompts.push_back(a.prompt);
        }
    }
    return prompts;
}

int MsgBox(const std::string& prompt, int buttons, const std::string& title) {
    return MessageBoxService().Show(MessageBoxRequest{prompt, buttons, title});
}

IMessageBoxService& MessageBoxService() {
    auto& service = Installed();
    if (!service) {
        service = std::make_unique<QtMessageBoxService>();
    }
    return *service;
}

void SetMessageBoxService(std::unique_ptr<IMessageBoxService> service) {
    Installed() = std::move(service);
}

} // namespace plat
