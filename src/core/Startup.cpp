#include "core/Startup.h"

#include <filesystem>
#include <vector>

#include "core/Game.h"
#include "core/InitGame.h"
#include "core/frmOpen.h"

namespace q {

void UnloadFormsExcept(Game& g, const std::string& Name) {
    g.ListForm = nullptr;
    // A snapshot first: unloading a form can unload others under our feet.
    const std::vector<Form*> loaded = g.app.Forms();
    for (Form* f : loaded)
        if (f->loaded() && f->Name() != Name) f->Unload();
}

void StartProgram(Game& g) {
    // The title window is the start-up object: loading it starts the game.
    g.frmOpen.get();
}

void OpenHelp(Game& g) {
    const std::string document = g.host.DocumentPath(HelpDocument);
    if (g.host.OpenDocument(document)) return;
    // No viewer for it on this desktop: the player can still open the file.
    const std::string path = std::filesystem::absolute(document).string();
    g.host.MsgBox(HelpNotOpenedText + path, vbExclamation | vbOKOnly, "");
}

}  // namespace q
