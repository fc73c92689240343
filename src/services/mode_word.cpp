#include "services/mode_word.h"

namespace zephyrin {

namespace {
QString& Word() {
    static QString word;
    return word;
}
}  // namespace

QString ModeWord() {
    return Word();
}

void SetModeWord(const QString& word) {
    Word() = word;
}

}  // namespace zephyrin
