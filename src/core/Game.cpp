#include "core/Game.h"
#include "core/WorkArea.h"

#include "core/frmUnderMes.h"
#include "core/frmUnderMes2.h"
#include "core/Registry.h"
#include "stage/mod_RGN_Proc.h"
#include "core/frmMenu.h"
#include "core/frmOpen.h"
#include "shop/frmBag.h"
#include "shop/frmFrame.h"
#include "shop/frmKeyItem.h"
#include "shop/frmList.h"
#include "shop/frmOthers.h"
#include "shop/frmRequest.h"
#include "shop/frmSack.h"
#include "shop/frmShopArms.h"
#include "shop/frmStatus.h"
#include "shop/frmStatus2.h"
#include "shop/frmStockArms.h"
#include "shop/frmShop.h"
#include "town/frmEvent.h"
#include "town/frmGyoku.h"
#include "town/frmItemShop.h"
#include "field/frmField.h"
#include "field/frmUnderMes3.h"

namespace q {

Game::Game(Host& h)
    : host(h),
      app(h),
      rgn(std::make_unique<RegionEngine>()) {
#define QUORVANE_KNOW_FORM(name) formObjects_[#name] = [this]() -> Form& { return name.object(); };
    QUORVANE_FORMS(QUORVANE_KNOW_FORM)
#undef QUORVANE_KNOW_FORM
    rng.Randomize(host.Seed());
    RegisterAll(*this);
    host.OnWorkAreaChanged([this] { FollowWorkArea(*this); });
}

Game::~Game() { host.OnWorkAreaChanged(nullptr); }

template <class F>
F* MakeForm(Game& g) {
    return new F(g);
}
#define QUORVANE_MAKE_FORM(name) template name* MakeForm<name>(Game&);
QUORVANE_FORMS(QUORVANE_MAKE_FORM)
#undef QUORVANE_MAKE_FORM

Form* Game::FindForm(const std::string& name) {
    if (Form* f = app.find(name)) return f;
    auto it = formObjects_.find(name);
    return it == formObjects_.end() ? nullptr : &it->second();
}

void Game::Call(const std::string& name, Long arg) {
    auto it = handlers_.find(name);
    if (it == handlers_.end() || !it->second) {
#ifdef NDEBUG
        host.Log("nothing answers the call " + name);
        return;
#else
        throw UnreachedCall(name);
#endif
    }
    it->second(arg);
}

Timer* Game::StageTimer(const std::string& name) const {
    if (!StageForm) return nullptr;
    Control* c = StageForm->findControl(name);
    return c && c->kind() == ControlKind::Timer ? static_cast<Timer*>(c) : nullptr;
}

}  // namespace q
