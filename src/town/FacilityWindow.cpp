#include "town/FacilityWindow.h"

namespace q {

namespace {

constexpr const char* WindowName = "frmItemShop";

void Enable(Game& g, const char* name, bool enabled) {
    if (Control* c = FacilityControl<Control>(g, name)) c->Enabled = enabled;
}

}  // namespace

Form* FacilityWindow(Game& g) {
    Form* f = g.app.find(WindowName);
    return f && f->loaded() ? f : nullptr;
}

void ReopenFacilityWindow(Game& g) {
    g.ReloadList = true;
    // The window that is open (the facility's own form, or whatever stands
    // in its name), else the facility's form, loaded anew.
    Form* f = g.FindForm(WindowName);
    if (f->loaded()) f->Form_Load();
    else f->Load();
}

void EnableFacilityButton(Game& g, bool enabled) { Enable(g, "cmdBuy", enabled); }

void EnableFacilityControls(Game& g, bool enabled) {
    Enable(g, "lstList", enabled);
    Enable(g, "txtNumber", enabled);
    Enable(g, "cmdBuy", enabled);
}

void FocusFacilityList(Game& g) {
    Control* list = FacilityControl<Control>(g, "lstList");
    if (list && list->Enabled && list->Visible) list->SetFocus();
}

void ShowFacilityNumber(Game& g, const std::string& text) {
    if (auto* box = FacilityControl<TextBox>(g, "txtNumber")) box->Text = text;
}

}  // namespace q
