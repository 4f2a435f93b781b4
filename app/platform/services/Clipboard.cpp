#include "platform/services/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace plat {

namespace {

std::unique_ptr<IClipboardService>& Installed() {
    static std::unique_ptr<IClipboardService> service;
    return service;
}

} // namespace

std::string QtClipboardService::GetText() {
    return QGuiApplication::clipboard()->text().toLatin1().toStdString();
}

void QtClipboardService::SetText(const std::string& text) {
    QGuiApplication::clipboard()->setText(
        QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

void QtClipboardService::Clear() {
    QGuiApplication::clipboard()->clear();
}

IClipboardService& Clipboard() {
    auto& service = Installed();
    if (!service) {
        service = std::make_unique<QtClipboardService>();
    }
    return *service;
}

void SetClipboardService(std::unique_ptr<IClipboardService> service) {
    Installed() = std::move(service);
}

} // namespace plat
