#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/Game.h"
#include "save/SaveCipher.h"
#include "save/SaveFile.h"
#include "save/SaveFormat.h"

namespace q {

namespace {

constexpr Integer SaveCompleted = 1;
constexpr Integer SaveFailed = 99;

constexpr const char* SaveErrorText =
    "『セーブファイル書き込みエラー』\r\n"
    "\r\n"
    "セーブ処理に失敗しました。\r\n"
    "もう一度セーブを行ってください。";

// Writes `bytes` to `name` in the current folder so that the old file stays
// whole until the new one is: a temporary file beside it, flushed and
// closed, then renamed over it. False on any error, with the old file as
// it was and no temporary file left behind.
bool ReplaceFile(const std::string& name, const std::string& bytes) {
    namespace fs = std::filesystem;
    const fs::path target(name);
    const fs::path temp(name + ".tmp");
    std::error_code ec;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), std::streamsize(bytes.size()));
        out.flush();
        out.close();
        if (out.fail()) {
            fs::remove(temp, ec);
            return false;
        }
    }
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return false;
    }
    return true;
}

}  // namespace

std::optional<std::string> SaveFileText(Game& g, Long Slot) {
    const std::optional<SaveLines> lines = BuildSaveLines(g, Slot);
    if (!lines) return std::nullopt;
    std::string bytes, code;
    bytes.reserve(40000);
    for (const std::string& plain : *lines) {
        CipherLine(true, plain, code);
        bytes += code;
        bytes += "\r\n";
    }
    return bytes;
}

void SaveGame(Game& g, Long Slot) {
    bool saved = false;
    try {
        const std::optional<std::string> bytes = SaveFileText(g, Slot);
        saved = bytes && ReplaceFile(SaveFileName(Slot == 0 ? 1 : 2), *bytes);
    } catch (...) {
        saved = false;  // out of memory, say: a failed save like any other
    }
    g.SaveFailCount = saved ? SaveCompleted : SaveFailed;
    if (!saved) g.host.MsgBox(SaveErrorText, vbCritical | vbOKOnly, "");
}

}  // namespace q
