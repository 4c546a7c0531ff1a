// One running game: its state, its forms, its random generator and the host
// it runs on. No game state lives anywhere else, so a test can build a fresh
// Game over a fake host and several games can run side by side.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/FormList.h"
#include "core/GameState.h"
#include "core/Random.h"
#include "core/Vars.h"
#include "data/Tables.h"
#include "forms/Form.h"
#include "forms/Host.h"

namespace q {

#define QUORVANE_DECLARE_FORM(name) class name;
QUORVANE_FORMS(QUORVANE_DECLARE_FORM)
#undef QUORVANE_DECLARE_FORM

class Game;

// A call by a name that no part of the game registered.
class UnreachedCall : public std::logic_error {
public:
    explicit UnreachedCall(const std::string& name) : std::logic_error("nothing answers the call " + name) {}
};

// Builds a form of the game; defined where every form is known.
template <class F>
F* MakeForm(Game& g);

struct RegionEngine;

class Game : public GameState, public DataTables {
public:
    explicit Game(Host& host);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    Host& host;
    FormsApp app;
    Random rng;
    Vars vars;
    Procs procs;
    std::unique_ptr<RegionEngine> rgn;  // the sprite stage's engine
    // The work area the bars and the stage were last placed in (none yet
    // while every side is 0): FollowWorkArea moves them on from there.
    PixelRect laidOutFor;

    // The game's forms, created on first reference.
#define QUORVANE_FORM_MEMBER(name) \
    FormRef<q::name> name{[this] { return MakeForm<q::name>(*this); }};
    QUORVANE_FORMS(QUORVANE_FORM_MEMBER)
#undef QUORVANE_FORM_MEMBER

    // A form of the game by its name, created (not loaded) on first use; null
    // for a name the game has no form for.
    Form* FindForm(const std::string& name);

    // The program is over: its last form was unloaded.
    bool Ended() const { return app.ended(); }

    // Int(Rnd * n).
    long Chance(long n) { return rng.Chance(n); }

    // Story handlers and the procedures that the dispatcher and the scenes
    // call by name ("frmShop.BuyANDSell"). Each subsystem registers its own.
    // Calling a name nobody registered is a fault of the program: it throws
    // UnreachedCall in a debug build and is logged in a release build.
    using Handler = std::function<void(Long)>;
    void SetHandler(const std::string& name, Handler h) { handlers_[name] = std::move(h); }
    bool HasHandler(const std::string& name) const { return handlers_.count(name) != 0; }
    void Call(const std::string& name, Long arg = 0);

    // A timer of the stage form by its name, or null when the stage has none.
    Timer* StageTimer(const std::string& name) const;

private:
    std::map<std::string, Handler> handlers_;
    std::map<std::string, std::function<Form&()>> formObjects_;
};

// A form of this game: the toolkit's form plus the game it belongs to.
class GameForm : public Form {
public:
    GameForm(Game& game, std::string name) : Form(game.app, std::move(name)), game(game) {}
    Game& game;
    // A close from the desktop is the game's to answer (core/CloseWindow.h).
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
};

}  // namespace q
