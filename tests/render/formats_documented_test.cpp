// Every writable format is offered wherever formats are listed: the help
// text, the manual page, the shell completion and the desktop entry.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "imaging/image_formats.h"
#include "render/help_text.h"

namespace zephyrin {
namespace {

std::string FileText(const char* path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The text between `start` and the next `end` after it.
std::string Between(const std::string& text, const std::string& start, char end) {
    const auto from = text.find(start);
    if (from == std::string::npos) return {};
    const auto first = from + start.size();
    return text.substr(first, text.find(end, first) - first);
}

TEST(FormatsDocumented, EveryRowIsListedInTheHelpManPageCompletionAndDesktopEntry) {
    const std::string help = HelpText();
    const std::string manual = FileText(ZEPHYRIN_MAN_PAGE);
    const std::string outputs = "|" + Between(FileText(ZEPHYRIN_COMPLETION), "!*.@(", ')') + "|";
    const std::string mimeTypes = ";" + Between(FileText(ZEPHYRIN_DESKTOP_ENTRY), "MimeType=", '\n');
    for (const ImageFormatInfo& format : ImageFormats()) {
        const std::string extension(format.extension);
        EXPECT_NE(help.find(extension), std::string::npos) << extension;
        EXPECT_NE(manual.find(extension), std::string::npos) << extension;
        EXPECT_NE(outputs.find("|" + extension + "|"), std::string::npos) << extension;
        EXPECT_NE(mimeTypes.find(";" + std::string(format.mimeType) + ";"), std::string::npos) << extension;
    }
}

}  // namespace
}  // namespace zephyrin
