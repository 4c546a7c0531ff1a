// A form of the toolkit: a window with a caption, a place in twips, a set of
// controls and event handlers. Forms are created on first reference and never
// destroyed while the game runs: Unload resets the form to its design and
// hides it, and the next reference loads it afresh.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/Control.h"
#include "forms/Host.h"
#include "forms/Property.h"

namespace q {

class FormsApp;

// Who asks a form to unload, as Form_QueryUnload is told.
inline constexpr int vbFormControlMenu = 0;  // the player, from the window's close

class Form : public PropertyOwner {
public:
    Form(FormsApp& app, std::string name);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form() = default;

    const std::string& Name() const { return name_; }
    FormsApp& app() const { return app_; }
    Host& host() const;

    Prop<std::string> Caption{*this};
    Prop<int> Left{*this, 0};
    Prop<int> Top{*this, 0};
    Prop<int> Width{*this, 0};
    Prop<int> Height{*this, 0};
    Prop<bool> Visible{*this, false};
    Prop<Color> BackColor{*this, vbButtonFace};
    Prop<std::string> Tag{*this};
    Prop<bool> KeyPreview{*this, false};
    // Whether the desktop's taskbar shows the window. The game shows itself
    // there once: its forms are off the taskbar unless their design says so.
    Prop<bool> ShowInTaskbar{*this, false};

    bool loaded() const { return loaded_; }
    void Load();
    void Show();
    void Hide();
    void Unload();
    // Modeless show, then placed in the middle of the screen.
    void CenterOnScreen();
    // The desktop asks to close the window (its close button, Alt+F4, a
    // taskbar's close): Form_QueryUnload is asked first, and unless it sets
    // Cancel the form unloads.
    void RequestClose();

    // The form's event handlers.
    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    // Cancel set to non-zero keeps the form loaded; UnloadMode says who asks.
    virtual void Form_QueryUnload(int& /*Cancel*/, int /*UnloadMode*/) {}
    virtual void Form_KeyDown(int /*KeyCode*/, int /*Shift*/) {}
    virtual void Form_MouseDown(int /*Button*/, int /*Shift*/, int /*X*/, int /*Y*/) {}
    // Button holds the buttons held down during the move.
    virtual void Form_MouseMove(int /*Button*/, int /*Shift*/, int /*X*/, int /*Y*/) {}
    virtual void Form_DblClick() {}

    const std::vector<Control*>& controls() const { return controls_; }
    Control* findControl(const std::string& name, int index = -1) const;

    void propertyChanged(const void* property) override;

    // Sets every property and control to the state of the form's design.
    // Runs once at creation and again at every unload.
    virtual void Design() {}

protected:
    // Controls are members of the concrete form; it lists them here once.
    void add(Control& c) { controls_.push_back(&c); }
    template <class C>
    void add(ControlArray<C>& arr) {
        for (auto& c : arr) controls_.push_back(c.get());
    }

private:
    friend class FormsApp;
    FormsApp& app_;
    std::string name_;
    std::vector<Control*> controls_;
    bool loaded_ = false;
    bool loading_ = false;
};

// The set of all forms of a run, in creation order (the forms collection).
class FormsApp {
public:
    explicit FormsApp(Host& host) : host_(host) {}
    Host& host() const { return host_; }

    void registerForm(Form& f) { all_.push_back(&f); }
    // Loaded forms, in the order they were loaded.
    const std::vector<Form*>& Forms() const { return loaded_; }
    Form* find(const std::string& name) const;
    const std::vector<Form*>& allForms() const { return all_; }

    // True once the last form was unloaded: the program is over.
    bool ended() const { return ended_; }

    // Keeps the program running while code unloads every form on its way to
    // loading others (a restart); on release the program ends only if no
    // form was loaded meanwhile.
    class Hold {
    public:
        explicit Hold(FormsApp& app) : app_(app) { ++app_.holds_; }
        ~Hold() { app_.released(); }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        FormsApp& app_;
    };

private:
    friend class Form;
    void loaded(Form& f);
    void unloaded(Form& f);
    void released();
    void endIfEmpty();

    Host& host_;
    std::vector<Form*> all_;
    std::vector<Form*> loaded_;
    bool ended_ = false;
    int holds_ = 0;
};

// A form created on first reference: `frm->Control` loads the form, as
// referring to a form does in the toolkit; `peek()` looks without loading.
template <class F>
class FormRef {
public:
    // `make` builds the form object; the reference owns it from then on.
    explicit FormRef(std::function<F*()> make) : make_(std::move(make)) {}

    F* operator->() { return &get(); }
    F& get() {
        F& f = object();
        if (!f.loaded()) f.Load();
        return f;
    }
    // The object without loading the form.
    F& object() {
        if (!form_) {
            form_ = make_();
            owner_.reset(form_);
            form_->Design();
        }
        return *form_;
    }
    F* peek() const { return form_; }
    bool loaded() const { return form_ && form_->loaded(); }
    void Unload() {
        if (form_) form_->Unload();
    }

private:
    std::function<F*()> make_;
    // Owned through the base, so that a game can hold references to forms
    // it declares but does not define in every file.
    std::unique_ptr<Form> owner_;
    F* form_ = nullptr;
};

}  // namespace q
