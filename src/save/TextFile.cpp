#include "save/TextFile.h"

#include <fstream>

namespace q {

bool WriteTextFile(const std::string& name, std::initializer_list<std::string> writes, bool append) {
    std::ofstream out(name, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
    if (!out) return false;
    for (const std::string& text : writes) {
        out.write(text.data(), std::streamsize(text.size()));
        out.write("\r\n", 2);
    }
    out.close();
    return !out.fail();
}

}  // namespace q
