#include "core/Game.h"

#include "core/frmUnderMes.h"
#include "core/frmUnderMes2.h"
#include "core/Registry.h"
#include "stage/mod_RGN_Proc.h"
#include "core/frmMenu.h"
#include "core/frmOpen.h"
#include "shop/frmOthers.h"
#include "shop/frmShop.h"
#include "town/frmEvent.h"

namespace q {

Game::Game(Host& h)
    : host(h),
      app(h),
      rgn(std::make_unique<RegionEngine>()),
      frmUnderMes([this] { return std::make_unique<q::frmUnderMes>(*this); }),
      frmUnderMes2([this] { return std::make_unique<q::frmUnderMes2>(*this); }),
      frmOthers([this] { return std::make_unique<q::frmOthers>(*this); }),
      frmOpen([this] { return std::make_unique<q::frmOpen>(*this); }),
      frmMenu([this] { return std::make_unique<q::frmMenu>(*this); }),
      frmBoard([this] { return std::make_unique<q::frmBoard>(*this); }),
      frmShop([this] { return std::make_unique<q::frmShop>(*this); }),
      frmEvent([this] { return std::make_unique<q::frmEvent>(*this); }) {
    Known(frmUnderMes, "frmUnderMes");
    Known(frmUnderMes2, "frmUnderMes2");
    Known(frmOthers, "frmOthers");
    Known(frmOpen, "frmOpen");
    Known(frmMenu, "frmMenu");
    Known(frmBoard, "frmBoard");
    Known(frmShop, "frmShop");
    Known(frmEvent, "frmEvent");
    rng.Randomize(host.Seed());
    RegisterAll(*this);
}

Game::~Game() = default;

Form* Game::FindForm(const std::string& name) {
    if (Form* f = app.find(name)) return f;
    auto it = formObjects_.find(name);
    return it == formObjects_.end() ? nullptr : &it->second();
}

void Game::Call(const std::string& name, Long arg) {
    auto it = handlers_.find(name);
    if (it == handlers_.end() || !it->second) {
        StandIn(name);
        return;
    }
    it->second(arg);
}

Timer* Game::StageTimer(const std::string& name) const {
    if (!StageForm) return nullptr;
    Control* c = StageForm->findControl(name);
    return c && c->kind() == ControlKind::Timer ? static_cast<Timer*>(c) : nullptr;
}

}  // namespace q
