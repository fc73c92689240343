#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace zephyrin {

// Every modal message of the program goes through here, so tests can
// capture them instead of having a box wait for a click.
using MessageSink = std::function<void(const QString& text)>;

// A modal message box with an OK button (or the sink, when one is set).
void ShowMessage(const QString& text);
// An error report: a modal warning box with the error's text.
void showError(const QString& text);
// An OK/Cancel warning; true for OK. A question handler, when set, answers
// instead of the box; without one, a sink sees the question and it counts
// as cancelled.
bool askOkCancel(const QString& text);

// Replaces the boxes for tests; an empty sink restores them.
void setMessageSink(MessageSink sink);
void setQuestionHandler(std::function<bool(const QString& text)> handler);

}  // namespace zephyrin
