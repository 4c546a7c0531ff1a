#include "save/TextFile.h"

#include <optional>

#include "save/WholeFile.h"

namespace q {

bool WriteTextFile(const std::string& name, std::initializer_list<std::string> writes, bool append) {
    std::optional<std::string> text = append ? ReadWholeFile(name) : std::string();
    if (!text) return false;  // an earlier file that cannot be read is never replaced
    for (const std::string& w : writes) {
        *text += w;
        *text += "\r\n";
    }
    return WriteWholeFile(name, *text);
}

}  // namespace q
