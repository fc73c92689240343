#include "services/mode_word.h"

namespace zephyrin {

namespace {
QString& Word() {
    static QString word;
    return word;
}
}  // namespace

QString modeWord() {
    return Word();
}

void setModeWord(const QString& word) {
    Word() = word;
}

}  // namespace zephyrin
