#include "forms/Form.h"

#include <algorithm>

namespace q {

Form::Form(FormsApp& app, std::string name) : app_(app), name_(std::move(name)) { app_.registerForm(*this); }

Host& Form::host() const { return app_.host(); }

void Form::propertyChanged(const void*) {
    if (loaded_) host().formChanged(*this);
}

Control* Form::findControl(const std::string& name, int index) const {
    for (Control* c : controls_)
        if (c->name() == name && c->Index() == index) return c;
    return nullptr;
}

void Form::Load() {
    if (loaded_ || loading_) return;
    loading_ = true;
    loaded_ = true;
    app_.loaded(*this);
    host().formLoaded(*this);
    for (Control* c : controls_)
        if (c->kind() == ControlKind::Timer) host().timerChanged(static_cast<Timer&>(*c));
    Form_Load();
    loading_ = false;
}

void Form::Show() {
    Load();
    if (loaded_) Visible = true;
}

void Form::Hide() { Visible = false; }

void Form::CenterOnScreen() {
    Host& h = host();
    Left = (h.ScreenWidthPixels() * h.TwipsPerPixelX() - Width) / 2;
    Top = (h.ScreenHeightPixels() * h.TwipsPerPixelY() - Height) / 2;
}

void Form::RequestClose() {
    if (!loaded_) return;
    int cancel = 0;
    Form_QueryUnload(cancel, vbFormControlMenu);
    if (cancel == 0) Unload();
}

void Form::Unload() {
    if (!loaded_) return;
    Form_Unload();
    if (!loaded_) return;  // unloaded again from inside its own Form_Unload
    Visible = false;
    loaded_ = false;
    loading_ = false;
    for (Control* c : controls_)
        if (c->kind() == ControlKind::Timer) host().timerChanged(static_cast<Timer&>(*c));
    host().formUnloaded(*this);
    Design();
    app_.unloaded(*this);
}

Form* FormsApp::find(const std::string& name) const {
    for (Form* f : all_)
        if (f->Name() == name) return f;
    return nullptr;
}

void FormsApp::loaded(Form& f) {
    ended_ = false;
    loaded_.push_back(&f);
}

void FormsApp::unloaded(Form& f) {
    loaded_.erase(std::remove(loaded_.begin(), loaded_.end(), &f), loaded_.end());
    endIfEmpty();
}

void FormsApp::released() {
    --holds_;
    endIfEmpty();
}

void FormsApp::endIfEmpty() {
    if (!loaded_.empty() || ended_ || holds_ > 0) return;
    ended_ = true;
    host_.programEnded();
}

}  // namespace q
