#include "core/Game.h"
#include "save/SaveCipher.h"
#include "save/SaveFile.h"

namespace q {

void RegisterSave(Game& g) {
    Procs& p = g.procs;
    // call SaveGame SLOT: the outcome is SaveFailCount.
    p.add("SaveGame", [](Game& g, const Procs::Args& a) {
        SaveGame(g, Long(Procs::Number(a, 0)));
        return std::string();
    });
    // call LoadGame SLOT -> -1 or 0
    p.add("LoadGame", [](Game& g, const Procs::Args& a) {
        return std::string(LoadGame(g, Integer(Procs::Number(a, 0))) ? "-1" : "0");
    });
    // call SaveFileExists N -> -1 or 0
    p.add("SaveFileExists", [](Game&, const Procs::Args& a) {
        return std::string(SaveFileExists(int(Procs::Number(a, 0))) ? "-1" : "0");
    });
    // call CipherLine ENCODE TEXT -> the result (-1 or 0) and the line it made
    p.add("CipherLine", [](Game&, const Procs::Args& a) {
        std::string code;
        const bool ok = CipherLine(Procs::Truth(a, 0), Procs::Text(a, 1), code);
        return std::string(ok ? "-1 " : "0 ") + code;
    });
}

}  // namespace q
