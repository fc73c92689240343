#include "services/mode_word.h"

namespace zephyrin {

namespace {
QString& currentWord() {
    static QString word;
    return word;
}
}  // namespace

QString modeWord() {
    return currentWord();
}

void setModeWord(const QString& word) {
    currentWord() = word;
}

}  // namespace zephyrin
