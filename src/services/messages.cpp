#include "services/messages.h"

#include <QApplication>
#include <QMessageBox>

namespace zephyrin {

namespace {

MessageSink& installedSink() {
    static MessageSink sink;
    return sink;
}

std::function<bool(const QString&)>& installedQuestionHandler() {
    static std::function<bool(const QString&)> handler;
    return handler;
}

QWidget* parent() {
    return QApplication::activeWindow();
}

}  // namespace

void ShowMessage(const QString& text) {
    if (installedSink()) return installedSink()(text);
    QMessageBox::information(parent(), QApplication::applicationName(), text);
}

void showError(const QString& text) {
    if (installedSink()) return installedSink()(text);
    QMessageBox::warning(parent(), QApplication::applicationName(), text);
}

bool askOkCancel(const QString& text) {
    if (installedQuestionHandler()) return installedQuestionHandler()(text);
    if (installedSink()) {
        // Captured without anyone to answer: take the safe choice.
        installedSink()(text);
        return false;
    }
    return QMessageBox::warning(parent(), QApplication::applicationName(), text,
                                QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void setMessageSink(MessageSink sink) {
    installedSink() = std::move(sink);
}

void setQuestionHandler(std::function<bool(const QString&)> handler) {
    installedQuestionHandler() = std::move(handler);
}

}  // namespace zephyrin
