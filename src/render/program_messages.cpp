#include "render/program_messages.h"

#include <algorithm>

namespace zephyrin {

void SayLines(std::ostream& err, std::string_view message) {
    for (std::size_t start = 0; start <= message.size();) {
        const std::size_t end = std::min(message.find('\n', start), message.size());
        err << kProgramPrefix << message.substr(start, end - start) << '\n';
        start = end + 1;
    }
}

}  // namespace zephyrin
