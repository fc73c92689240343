#include "services/messages.h"

#include <QApplication>
#include <QMessageBox>

namespace zephyrin {

namespace {

MessageSink& Sink() {
    static MessageSink sink;
    return sink;
}

std::function<bool(const QString&)>& QuestionHandler() {
    static std::function<bool(const QString&)> handler;
    return handler;
}

QWidget* Parent() {
    return QApplication::activeWindow();
}

}  // namespace

void ShowMessage(const QString& text) {
    if (Sink()) return Sink()(text);
    QMessageBox::information(Parent(), QApplication::applicationName(), text);
}

void showError(const QString& text) {
    if (Sink()) return Sink()(text);
    QMessageBox::warning(Parent(), QApplication::applicationName(), text);
}

bool askOkCancel(const QString& text) {
    if (QuestionHandler()) return QuestionHandler()(text);
    if (Sink()) {
        // Captured without anyone to answer: take the safe choice.
        Sink()(text);
        return false;
    }
    return QMessageBox::warning(Parent(), QApplication::applicationName(), text,
                                QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void setMessageSink(MessageSink sink) {
    Sink() = std::move(sink);
}

void setQuestionHandler(std::function<bool(const QString&)> handler) {
    QuestionHandler() = std::move(handler);
}

}  // namespace zephyrin
