#include "core/Game.h"
#include "save/SaveCipher.h"
#include "save/SaveFile.h"
#include "save/SaveFormat.h"
#include "save/WholeFile.h"

namespace q {

namespace {

constexpr Integer SaveCompleted = 1;
constexpr Integer SaveFailed = 99;

constexpr const char* SaveErrorText =
    "『セーブファイル書き込みエラー』\r\n"
    "\r\n"
    "セーブ処理に失敗しました。\r\n"
    "もう一度セーブを行ってください。";

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
        saved = bytes && WriteWholeFile(SaveFileName(Slot == 0 ? 1 : 2), *bytes);
    } catch (...) {
        saved = false;  // out of memory, say: a failed save like any other
    }
    g.SaveFailCount = saved ? SaveCompleted : SaveFailed;
    if (!saved) g.host.MsgBox(SaveErrorText, vbCritical | vbOKOnly, "");
}

}  // namespace q
