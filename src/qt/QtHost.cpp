#include "qt/QtHost.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QElapsedTimer>
#include <QMoveEvent>
#include <QDesktopServices>
#include <QEventLoop>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTextEdit>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <QWindow>
#include <QPaintEvent>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iostream>

#include "core/KeepOnTop.h"
#include "forms/Keys.h"
#include "qt/DesktopWindows.h"
#include "qt/GameFolder.h"
#include "qt/KeyMap.h"
#include "stage/RegionBounds.h"
#include "stage/frm_RGN_Picture.h"

namespace q {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QScreen* Screen() { return QGuiApplication::primaryScreen(); }

// Milliseconds on a steady clock.
std::int64_t Elapsed() {
    static QElapsedTimer clock;
    if (!clock.isValid()) clock.start();
    return clock.elapsed();
}

// A caption as a label shows it: "&&" is one ampersand, a lone "&" marks the
// next letter and is not shown.
QString ShownCaption(const std::string& caption) {
    QString out;
    const QString in = Q(caption);
    for (int i = 0; i < in.size(); ++i) {
        if (in[i] == '&' && i + 1 < in.size()) ++i;
        out += in[i];
    }
    return out;
}

// A label that hands its clicks to the game.
class ClickLabel : public QLabel {
public:
    ClickLabel(Control& c, QWidget* parent, int tpp) : QLabel(parent), control_(c), tpp_(tpp) {
        setTextFormat(Qt::PlainText);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setContentsMargins(0, 0, 0, 0);
        setIndent(0);
    }

protected:
    // Drawn by hand so that a choice's underline stays inside a one-row bar.
    void paintEvent(QPaintEvent* e) override {
        if (control_.kind() != ControlKind::Label) return QLabel::paintEvent(e);
        QPainter p(this);
        if (autoFillBackground()) p.fillRect(rect(), palette().color(QPalette::Window));
        QFont f = font();
        const bool underline = f.underline();
        f.setUnderline(false);
        p.setFont(f);
        const QFontMetrics fm(f);
        p.setPen(isEnabled() ? palette().color(QPalette::WindowText) : QColor(128, 128, 128));
        const int baseline = std::min(fm.ascent(), std::max(1, height() - 2));
        p.drawText(0, baseline, text());
        if (underline) {
            const int y = std::min(baseline + 1, height() - 1);
            p.drawLine(0, y, fm.horizontalAdvance(text()), y);
        }
    }
    void mousePressEvent(QMouseEvent* e) override {
        int button = ButtonCode(e->button());
        if (button && control_.MouseDown && control_.Enabled)
            control_.MouseDown(button, ShiftBits(e->modifiers()), int(e->position().x()) * tpp_,
                               int(e->position().y()) * tpp_);
        e->accept();
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        const int buttons = ButtonBits(e->buttons());
        if (buttons && control_.MouseMove && control_.Enabled)
            control_.MouseMove(buttons, ShiftBits(e->modifiers()), int(e->position().x()) * tpp_,
                               int(e->position().y()) * tpp_);
        e->accept();
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && control_.Click && control_.Enabled && rect().contains(e->position().toPoint()))
            control_.Click();
    }
    void mouseDoubleClickEvent(QMouseEvent*) override {
        if (control_.DblClick && control_.Enabled) control_.DblClick();
    }

private:
    Control& control_;
    int tpp_;
};

// Takes every mouse move and the release while a window is dragged.
class DragFilter : public QObject {
public:
    DragFilter(std::function<void(QPoint)> moved, std::function<void()> released)
        : moved_(std::move(moved)), released_(std::move(released)) {}

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseMove) {
            moved_(static_cast<QMouseEvent*>(e)->globalPosition().toPoint());
            return true;
        }
        if (e->type() == QEvent::MouseButtonRelease) {
            if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) released_();
            return true;
        }
        return false;
    }

private:
    std::function<void(QPoint)> moved_;
    std::function<void()> released_;
};

// Keeps the player's mouse and keys from windows left on the screen until
// the end of the turn (QtHost::HideLater): their forms are gone or hidden.
class InputBlocker : public QObject {
public:
    explicit InputBlocker(std::function<bool(const QWidget&)> blocked) : blocked_(std::move(blocked)) {}

protected:
    bool eventFilter(QObject* receiver, QEvent* e) override {
        switch (e->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::ContextMenu:
                return receiver->isWidgetType() && blocked_(*static_cast<QWidget*>(receiver)->window());
            default: return false;
        }
    }

private:
    std::function<bool(const QWidget&)> blocked_;
};

// The character a key types, as a text box's KeyPress sees it: Enter 13,
// Backspace 8, else the first character of its text; 0 for keys that type
// nothing (the arrows, Delete, Home) and for the box's own commands held
// with Ctrl (Ctrl+V pastes, Ctrl+A selects all, as Shift+Insert pastes).
int TypedCharacter(const QKeyEvent& e) {
    if (e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter) return 13;
    if (e.key() == Qt::Key_Backspace) return 8;
    if (e.modifiers() & Qt::ControlModifier) return 0;
    const QString t = e.text();
    if (t.isEmpty() || t[0].category() == QChar::Other_Control) return 0;
    return int(t.toUcs4().front());
}

QMessageBox::Icon IconOf(int style) {
    switch (style & 0x70) {
        case vbCritical: return QMessageBox::Critical;
        case vbQuestion: return QMessageBox::Question;
        case vbExclamation: return QMessageBox::Warning;
        case vbInformation: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

}  // namespace

QColor ColorOf(Color c) {
    if (IsSystemColor(c)) {
        const QPalette pal = QApplication::palette();
        switch (int(c & 0xFF)) {
            case 0: return QColor(200, 200, 200);  // scroll bars
            case 5: return pal.color(QPalette::Base);
            case 8: return pal.color(QPalette::Text);
            default: return pal.color(QPalette::Button);
        }
    }
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

QFont FontFor(const std::string& name, double size, bool bold, bool italic, bool underline) {
    QFont f;
    QStringList families{Q(name), "IPAPGothic", "IPAGothic", "Noto Sans CJK JP", "VL PGothic", "Droid Sans Fallback",
                         "sans-serif"};
    f.setFamilies(families);
    f.setPointSizeF(size > 0 ? size : 9.0);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    return f;
}

static QFont FontOf(const Control& c) { return FontFor(c.FontName, c.FontSize, c.FontBold, c.FontItalic, c.FontUnderline); }
static QFont FontOf(const TextFont& t) { return FontFor(t.name, t.size, t.bold, t.italic, t.underline); }

FormWindow::FormWindow(QtHost& host, Form& form)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), host_(host), form_(form) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    // A window of the game is shown without the keyboard: only the player's
    // own click gives it (the window manager focuses a window mapped with a
    // recent user time, and a game window may open while the player types
    // into another program).
    setAttribute(Qt::WA_ShowWithoutActivating);
    MapWithoutFocus(*this);
    // A click on the window itself leaves the focus where it is, on the
    // control that had it: the window takes the keys only while none of its
    // controls has the focus (the bars, the stage).
    setFocusPolicy(Qt::NoFocus);
    installEventFilter(&host);
}

bool FormWindow::event(QEvent* e) {
    // The window is told whether it belongs on the taskbar each time before
    // it is mapped: a window manager forgets a window's state when it is
    // hidden (and GameApplication asks again for what it still misses).
    if ((e->type() == QEvent::WinIdChange || e->type() == QEvent::Show) && internalWinId())
        ShowInTaskbar(*this, !SkipsTaskbar(*this));
    return QWidget::event(e);
}

void FormWindow::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange || !(windowState() & Qt::WindowMinimized)) return;
    // A game window is not lost to a minimise (a taskbar's click, a window
    // manager's key): it comes back at once, mapped anew so that the window
    // manager does not hand it the keyboard as it would a restored window.
    QTimer::singleShot(0, this, [this] {
        if (!(windowState() & Qt::WindowMinimized) || !form_.loaded() || !form_.Visible) return;
        hide();
        setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
    });
}

void FormWindow::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const StageCanvas* canvas = host_.CanvasFor(form_);
    // The window may hold only some rows of its form.
    const QPoint offset = host_.WindowOffset(form_);
    const QRect box = canvas ? canvas->Box().translated(-offset) : QRect();
    // Around the stage's image only the form's background, which its mask hides.
    for (const QRect& r : QRegion(e->rect()).subtracted(box)) p.fillRect(r, ColorOf(form_.BackColor));
    if (canvas) {
        const QRect shown = e->rect().intersected(box);
        p.drawImage(shown, canvas->Image(), shown.translated(-box.topLeft()));
    }
    const int tx = host_.TwipsPerPixelX(), ty = host_.TwipsPerPixelY();
    p.translate(-offset);
    for (Control* c : form_.controls()) {
        if (c->kind() != ControlKind::Line || !c->Visible) continue;
        auto& l = static_cast<Line&>(*c);
        QPen pen(ColorOf(l.BorderColor));
        pen.setWidth(l.BorderWidth);
        p.setPen(pen);
        p.drawLine(l.X1 / tx, l.Y1 / ty, l.X2 / tx, l.Y2 / ty);
    }
}

void FormWindow::mousePressEvent(QMouseEvent* e) {
    const int button = ButtonCode(e->button());
    const QPoint at = e->position().toPoint() + host_.WindowOffset(form_);
    if (button)
        form_.Form_MouseDown(button, ShiftBits(e->modifiers()), at.x() * host_.TwipsPerPixelX(), at.y() * host_.TwipsPerPixelY());
}

void FormWindow::mouseMoveEvent(QMouseEvent* e) {
    const int buttons = ButtonBits(e->buttons());
    const QPoint at = e->position().toPoint() + host_.WindowOffset(form_);
    if (buttons)
        form_.Form_MouseMove(buttons, ShiftBits(e->modifiers()), at.x() * host_.TwipsPerPixelX(), at.y() * host_.TwipsPerPixelY());
}

void FormWindow::mouseDoubleClickEvent(QMouseEvent*) { form_.Form_DblClick(); }

void FormWindow::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    host_.WindowMoved(*this);
}

void FormWindow::closeEvent(QCloseEvent* e) {
    // What a close from the desktop means is the game's (Form_QueryUnload):
    // the window goes when the game unloads its form.
    e->ignore();
    if (form_.loaded()) form_.RequestClose();
}

QtHost::QtHost() {
    // The style draws its buttons, frames and rows once into a shared cache.
    // The game's windows need a few hundred kilobytes of it; a day of play
    // must not let it grow to Qt's ten megabytes.
    QPixmapCache::setCacheLimit(2048);
    releaseTimer_ = new QTimer(this);
    releaseTimer_->setSingleShot(true);
    QObject::connect(releaseTimer_, &QTimer::timeout, [this] { ReleaseIdleWindows(); });
    inputBlocker_ = std::make_unique<InputBlocker>([this](const QWidget& window) {
        for (const QPointer<FormWindow>& w : hiding_)
            if (w == &window) return Withdrawn(*w);
        return false;
    });
    hideTimer_ = new QTimer(this);
    hideTimer_->setSingleShot(true);
    QObject::connect(hideTimer_, &QTimer::timeout, [this] { HideWithdrawn(); });
    if (QScreen* s = Screen()) {
        const double dpiX = s->logicalDotsPerInchX(), dpiY = s->logicalDotsPerInchY();
        if (dpiX > 0) tppX_ = std::max(1, int(std::lround(1440.0 / dpiX)));
        if (dpiY > 0) tppY_ = std::max(1, int(std::lround(1440.0 / dpiY)));
    }
    placeTimer_ = new QTimer(this);
    placeTimer_->setSingleShot(true);
    QObject::connect(placeTimer_, &QTimer::timeout, [this] { ReadBackPlaces(); });
    // A panel restarted goes and comes back within moments: the game moves
    // once things have settled.
    workAreaTimer_ = new QTimer(this);
    workAreaTimer_->setSingleShot(true);
    workAreaTimer_->setInterval(100);
    QObject::connect(workAreaTimer_, &QTimer::timeout, [this] {
        if (!ended_) WorkAreaChanged();
    });
    WatchScreen(Screen());
    if (qGuiApp)
        QObject::connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, [this](QScreen* s) {
            WatchScreen(s);
            workAreaTimer_->start();
        });
}

void QtHost::WatchScreen(QScreen* screen) {
    if (watched_) QObject::disconnect(watched_, nullptr, this, nullptr);
    watched_ = screen;
    if (!screen) return;
    auto changed = [this] { workAreaTimer_->start(); };
    QObject::connect(screen, &QScreen::availableGeometryChanged, this, changed);
    QObject::connect(screen, &QScreen::geometryChanged, this, changed);
}

QtHost::~QtHost() {
    if (!hiding_.empty() && qApp) qApp->removeEventFilter(inputBlocker_.get());
    for (auto& [t, qt] : timers_) delete qt;
    for (auto& [f, w] : windows_) delete w.data();
    for (auto& [f, spare] : spares_) delete spare.window.data();
}

FormWindow* QtHost::WindowFor(const Form& f) const {
    auto it = windows_.find(&f);
    return it == windows_.end() ? nullptr : it->second.data();
}

QWidget* QtHost::WidgetFor(const Control& c) const {
    auto it = widgets_.find(&c);
    return it == widgets_.end() ? nullptr : it->second.data();
}

void QtHost::CreateWidget(FormWindow& w, Control& c) {
    QWidget* widget = nullptr;
    switch (c.kind()) {
        case ControlKind::Label: widget = new ClickLabel(c, &w, tppX_); break;
        case ControlKind::CommandButton: {
            auto* b = new QPushButton(&w);
            QObject::connect(b, &QPushButton::clicked, [&c] {
                if (c.Click) c.Click();
            });
            widget = b;
            break;
        }
        case ControlKind::CheckBox: {
            auto* b = new QCheckBox(&w);
            QObject::connect(b, &QCheckBox::clicked, [&c](bool checked) {
                static_cast<CheckBox&>(c).Value = checked ? 1 : 0;
                if (c.Click) c.Click();
            });
            widget = b;
            break;
        }
        case ControlKind::OptionButton: {
            auto* b = new QRadioButton(&w);
            b->setAutoExclusive(false);
            QObject::connect(b, &QRadioButton::clicked, [&c] {
                for (Control* other : c.form().controls())
                    if (other->kind() == ControlKind::OptionButton && other->name() == c.name())
                        static_cast<OptionButton&>(*other).Value = other == &c;
                if (c.Click) c.Click();
            });
            widget = b;
            break;
        }
        case ControlKind::TextBox: {
            auto* e = new QLineEdit(&w);
            // The box offers no menu of its own: its keys do what the menu would.
            e->setContextMenuPolicy(Qt::NoContextMenu);
            // What the player does in the box is the model's at once: its
            // text, caret and selection. While they are copied the box is not
            // mirrored back, since the model is half copied.
            auto fromBox = [this, &c, e] {
                auto& t = static_cast<TextBox&>(c);
                fromWidget_ = &c;
                t.Text = e->text().toStdString();
                t.SelStart = e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
                t.SelLength = e->hasSelectedText() ? int(e->selectedText().size()) : 0;
                fromWidget_ = nullptr;
            };
            // Pasted, cut, dropped or composed by an input method: the model
            // keeps what a number box takes.
            QObject::connect(e, &QLineEdit::textEdited, [&c, fromBox](const QString&) {
                fromBox();
                static_cast<TextBox&>(c).EditedByPlayer();
            });
            auto selection = fromBox;
            QObject::connect(e, &QLineEdit::selectionChanged, selection);
            QObject::connect(e, &QLineEdit::cursorPositionChanged, selection);
            widget = e;
            break;
        }
        case ControlKind::ListView: {
            auto* tree = new QTreeWidget(&w);
            tree->setRootIsDecorated(false);
            tree->setUniformRowHeights(true);
            tree->setAllColumnsShowFocus(true);  // the whole row is selected
            tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
            tree->header()->setStretchLastSection(false);
            tree->header()->setSectionsMovable(false);
            // Whatever the player does to the selection (clicks with Ctrl or
            // Shift, the arrow keys) is the model's selection at once.
            QObject::connect(tree, &QTreeWidget::itemSelectionChanged, [&c, tree] {
                auto& lv = static_cast<ListView&>(c);
                std::vector<int> rows;
                for (int i = 0; i < tree->topLevelItemCount(); ++i)
                    if (tree->topLevelItem(i)->isSelected()) rows.push_back(i + 1);
                lv.SelectionFromHost(rows, tree->indexOfTopLevelItem(tree->currentItem()) + 1);
            });
            QObject::connect(tree, &QTreeWidget::itemClicked, [&c, tree](QTreeWidgetItem* item, int) {
                auto& lv = static_cast<ListView&>(c);
                const int row = tree->indexOfTopLevelItem(item) + 1;
                if (lv.ItemClick) lv.ItemClick(row);
            });
            QObject::connect(tree, &QTreeWidget::itemDoubleClicked, [&c](QTreeWidgetItem*, int) {
                if (c.DblClick) c.DblClick();
            });
            widget = tree;
            break;
        }
        case ControlKind::RichTextBox: {
            auto* e = new QTextEdit(&w);
            e->setReadOnly(true);
            widget = e;
            break;
        }
        case ControlKind::PictureBox: widget = new ClickLabel(c, &w, tppX_); break;
        case ControlKind::Line:
        case ControlKind::Timer:
        case ControlKind::Menu: return;  // painted by the form, scheduled, or popped up
    }
    widget->installEventFilter(this);
    widgets_[&c] = widget;
    controlOf_[widget] = &c;
    SyncControl(c);
}

void QtHost::formLoaded(Form& f) {
    if (auto spare = spares_.find(&f); spare != spares_.end() && spare->second.window) {
        // The form's window of its last load, made as new.
        FormWindow* w = spare->second.window;
        windows_[&f] = w;
        for (auto& [c, widget] : spare->second.widgets) {
            if (!widget) continue;
            Renew(*c, *widget);
            widgets_[c] = widget;
            controlOf_[widget] = c;
            SyncControl(*c);
        }
        spares_.erase(spare);
        SyncForm(f);
        return;
    }
    spares_.erase(&f);
    auto* w = new FormWindow(*this, f);
    windows_[&f] = w;
    for (Control* c : f.controls()) CreateWidget(*w, *c);
    SyncForm(f);
}

void QtHost::Renew(Control& c, QWidget& widget) {
    if (QWidget* focus = widget.window()->focusWidget()) focus->clearFocus();
    switch (c.kind()) {
        case ControlKind::ListView: {
            // No rows, no selection, scrolled to the top, as a new list.
            auto& tree = static_cast<QTreeWidget&>(widget);
            const QSignalBlocker quiet(&tree);
            tree.clear();
            tree.setProperty("visibleRequests", QVariant());
            break;
        }
        case ControlKind::RichTextBox: {
            auto& box = static_cast<QTextEdit&>(widget);
            const QSignalBlocker quiet(&box);
            box.clear();
            break;
        }
        case ControlKind::TextBox: {
            auto& box = static_cast<QLineEdit&>(widget);
            const QSignalBlocker quiet(&box);
            box.clear();
            break;
        }
        default: break;
    }
}

void QtHost::formUnloaded(Form& f) {
    Spare spare;
    for (Control* c : f.controls()) {
        if (auto it = widgets_.find(c); it != widgets_.end()) {
            controlOf_.erase(it->second.data());
            spare.widgets.emplace_back(c, it->second);
            widgets_.erase(it);
        }
        if (c->kind() == ControlKind::Timer) {
            if (auto t = timers_.find(static_cast<Timer*>(c)); t != timers_.end()) t->second->stop();
        }
    }
    canvases_.erase(&f);
    if (auto it = windows_.find(&f); it != windows_.end()) {
        if (FormWindow* w = it->second) {
            // The window and its controls wait hidden for the form's next
            // load: a new tree each time would bring new palettes, and with
            // them new pictures in the style's cache. Its screen resources go
            // once none of its events is being handled.
            HideLater(*w);
            releasing_.emplace_back(w);
            if (!releaseTimer_->isActive()) releaseTimer_->start(0);
            spare.window = w;
            spares_[&f] = std::move(spare);
        }
        windows_.erase(it);
    }
}

void QtHost::ReleaseIdleWindows() {
    HideWithdrawn();
    // Without the application's record of the events being handled, no
    // moment is known to be safe: the windows stay made.
    if (!GameApplication::Tracking()) return releasing_.clear();
    std::vector<QPointer<FormWindow>> waiting;
    for (const QPointer<FormWindow>& w : releasing_) {
        if (!w || w->isVisible()) continue;
        // Loaded again meanwhile: the window is the form's once more.
        auto loaded = windows_.find(&w->form());
        if (loaded != windows_.end() && loaded->second == w) continue;
        if (GameApplication::Handling(*w)) waiting.push_back(w);
        else w->ReleaseScreen();
    }
    releasing_ = std::move(waiting);
    // A click that unloaded the window may run a while yet (a message box,
    // a popup menu opened from it): look again later.
    if (!releasing_.empty()) releaseTimer_->start(100);
}

bool QtHost::Withdrawn(const FormWindow& w) const { return !w.form().Visible || WindowFor(w.form()) != &w; }

void QtHost::HideLater(FormWindow& w) {
    if (!w.isVisible()) return;
    if (hiding_.empty()) qApp->installEventFilter(inputBlocker_.get());
    hiding_.emplace_back(&w);
    if (!hideTimer_->isActive()) hideTimer_->start(0);
}

void QtHost::HideWithdrawn() {
    std::vector<QPointer<FormWindow>> hiding;
    hiding.swap(hiding_);
    if (!hiding.empty()) qApp->removeEventFilter(inputBlocker_.get());
    for (const QPointer<FormWindow>& w : hiding) {
        if (!w || !w->isVisible() || !Withdrawn(*w)) continue;  // shown again meanwhile: it stays mapped
        w->hide();
        // A spare window shows whole when it is used again.
        if (WindowFor(w->form()) != w) w->clearMask();
    }
}

void QtHost::formChanged(Form& f) { SyncForm(f); }

void QtHost::controlChanged(Control& c) {
    if (c.kind() == ControlKind::Line) {
        if (FormWindow* w = WindowFor(c.form())) w->update();
        return;
    }
    SyncControl(c);
}

const StageCanvas* QtHost::CanvasFor(const Form& f) const {
    auto it = canvases_.find(&f);
    return it == canvases_.end() ? nullptr : it->second.get();
}

void QtHost::StageFrameReady(Form& stage, const StageFrame& frame) {
    const FrameProbe::Scope probed(probe_, *this, stage, frame);
    FormWindow* w = WindowFor(stage);
    if (!w) return;
    auto& canvas = canvases_[&stage];
    if (!canvas) canvas = std::make_unique<StageCanvas>();
    // The image covers the box of the figures on the stage; with none it
    // keeps its last box and shows nothing.
    const PixelRect b = RegionBounds(frame.region, std::max(1, stage.Width / tppX_), std::max(1, stage.Height / tppY_));
    QRect box(b.left, b.top, b.right - b.left, b.bottom - b.top);
    if (box.isEmpty()) box = canvas->Box().isEmpty() ? QRect(0, 0, 1, 1) : canvas->Box();
    const QPoint offset = WindowOffset(stage);
    const QRegion changed = canvas->Paint(frame, box, ColorOf(stage.BackColor)).translated(box.topLeft() - offset);
    // The window covers the stage's band of figures and never moves; only
    // the figures' pixels are the window, so clicks elsewhere reach whatever
    // lies below. Shape and picture go to the screen together, in one
    // synchronous paint: a window that moved would reach the screen apart
    // from them.
    w->setMask(frame.region.empty() ? NothingShows() : spriteRegions_.MaskOf(frame).translated(-offset));
    if (w->isVisible()) w->repaint(changed);
}

void QtHost::Log(const std::string& text) { std::cerr << "quorvane: " << text << "\n"; }

void QtHost::SyncForm(Form& f) {
    FormWindow* w = WindowFor(f);
    if (!w) return;
    w->setWindowTitle(Q(f.Caption));
    if (SkipsTaskbar(*w) == f.ShowInTaskbar) ShowInTaskbar(*w, f.ShowInTaskbar);
    const QRect place = WindowRect(f);
    if (w->geometry() != place) {
        w->setGeometry(place);
        placedAt_[&f] = Elapsed();
    }
    w->update();
    if (f.Visible && !w->isVisible()) w->show();
    else if (!f.Visible && w->isVisible()) HideLater(*w);
}

void QtHost::SyncControl(Control& c) {
    QWidget* w = WidgetFor(c);
    if (!w || fromWidget_ == &c) return;
    int height = std::max(0, c.Height / tppY_);
    if (c.kind() == ControlKind::Label) {
        // A label never hangs below its form.
        const int room = c.form().Height / tppY_ - c.Top / tppY_;
        if (room > 0) height = std::min(height, room);
    }
    w->setGeometry(c.Left / tppX_, c.Top / tppY_, std::max(0, c.Width / tppX_), height);
    w->setVisible(c.Visible);
    w->setEnabled(c.Enabled);
    w->setFont(FontOf(c));
    w->setToolTip(Q(c.ToolTipText));
    QPalette pal = w->palette();
    // Only the enabled look takes the control's colour: disabled stays grey.
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::WindowText, ColorOf(c.ForeColor));
        pal.setColor(group, QPalette::ButtonText, ColorOf(c.ForeColor));
    }
    if (!c.BackTransparent) pal.setColor(QPalette::Window, ColorOf(c.BackColor));
    w->setPalette(pal);
    w->setAutoFillBackground(!c.BackTransparent && c.kind() == ControlKind::Label);
    switch (c.kind()) {
        case ControlKind::Label: static_cast<QLabel*>(w)->setText(ShownCaption(static_cast<Label&>(c).Caption)); break;
        case ControlKind::CommandButton:
            static_cast<QPushButton*>(w)->setText(Q(static_cast<CommandButton&>(c).Caption));
            break;
        case ControlKind::CheckBox: {
            auto& cb = static_cast<CheckBox&>(c);
            static_cast<QCheckBox*>(w)->setText(Q(cb.Caption));
            static_cast<QCheckBox*>(w)->setChecked(cb.Value != 0);
            break;
        }
        case ControlKind::OptionButton: {
            auto& ob = static_cast<OptionButton&>(c);
            static_cast<QRadioButton*>(w)->setText(Q(ob.Caption));
            static_cast<QRadioButton*>(w)->setChecked(ob.Value);
            break;
        }
        case ControlKind::TextBox: {
            auto* e = static_cast<QLineEdit*>(w);
            auto& t = static_cast<TextBox&>(c);
            const QSignalBlocker quiet(e);
            if (e->text() != Q(t.Text)) e->setText(Q(t.Text));
            e->setReadOnly(t.Locked);
            e->setFrame(t.BorderStyle != 0);
            if (t.MaxLength > 0) e->setMaxLength(t.MaxLength);
            const int start = e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
            const int length = e->hasSelectedText() ? int(e->selectedText().size()) : 0;
            if (start != t.SelStart || length != t.SelLength) {
                if (t.SelLength > 0) e->setSelection(t.SelStart, t.SelLength);
                else e->setCursorPosition(t.SelStart);
            }
            break;
        }
        case ControlKind::RichTextBox: {
            auto* e = static_cast<QTextEdit*>(w);
            const QString text = Q(static_cast<RichTextBox&>(c).Text);
            if (e->toPlainText() != text) e->setPlainText(text);
            break;
        }
        case ControlKind::ListView: SyncList(static_cast<ListView&>(c), *static_cast<QTreeWidget*>(w)); break;
        case ControlKind::PictureBox: {
            // A sprite's picture from the picture container, drawn at its top-left.
            auto* label = static_cast<QLabel*>(w);
            const int n = static_cast<PictureBox&>(c).Picture;
            const SpritePicture& pic = frm_RGN_Picture::pPicture(n);
            if (n < 0 || pic.empty()) {
                label->setPixmap(QPixmap());
                break;
            }
            QImage image(pic.width, pic.height, QImage::Format_ARGB32);
            for (int y = 0; y < pic.height; ++y) {
                auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
                for (int x = 0; x < pic.width; ++x) line[x] = pic.Argb(size_t(y) * size_t(pic.width) + size_t(x));
            }
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setPixmap(QPixmap::fromImage(std::move(image)));
            break;
        }
        default: break;
    }
}

void QtHost::SyncList(ListView& lv, QTreeWidget& tree) {
    const QSignalBlocker quiet(&tree);
    tree.setSelectionMode(lv.MultiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    tree.setEditTriggers(lv.LabelEdit == lvwAutomatic ? QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked
                                                      : QAbstractItemView::NoEditTriggers);
    tree.setHeaderHidden(lv.View != lvwReport);
    // The selection stays as bright while another control has the focus.
    QPalette pal = tree.palette();
    const QPalette::ColorGroup shown = lv.HideSelection ? QPalette::Inactive : QPalette::Active;
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(shown, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(shown, QPalette::HighlightedText));
    tree.setPalette(pal);

    QStringList headers;
    for (const auto& col : lv.ColumnHeaders()) headers << Q(col.Text);
    tree.setColumnCount(std::max(1, int(headers.size())));
    tree.setHeaderLabels(headers);
    for (int i = 0; i < int(lv.ColumnHeaders().size()); ++i)
        tree.setColumnWidth(i, lv.ColumnHeaders()[size_t(i)].Width / tppX_);

    // Rows are rebuilt in place while nothing is painted, so the list never
    // shows a half-built state and keeps its scroll position.
    QScrollBar* bar = tree.verticalScrollBar();
    const int scroll = bar ? bar->value() : 0;
    tree.setUpdatesEnabled(false);
    while (tree.topLevelItemCount() > lv.Count()) delete tree.takeTopLevelItem(tree.topLevelItemCount() - 1);
    for (int i = 1; i <= lv.Count(); ++i) {
        QTreeWidgetItem* item = i <= tree.topLevelItemCount() ? tree.topLevelItem(i - 1) : new QTreeWidgetItem(&tree);
        const ListItem& row = lv.Item(i);
        item->setText(0, Q(row.Text));
        for (int col = 1; col < tree.columnCount(); ++col) item->setText(col, Q(row.SubItem(col)));
        if (item->isSelected() != row.Selected) item->setSelected(row.Selected);
    }
    if (lv.SelectedIndex() >= 1 && lv.SelectedIndex() <= lv.Count())
        tree.setCurrentItem(tree.topLevelItem(lv.SelectedIndex() - 1), 0, QItemSelectionModel::NoUpdate);
    if (bar) bar->setValue(scroll);
    const QVariant seen = tree.property("visibleRequests");
    if (lv.VisibleRow() >= 1 && lv.VisibleRow() <= lv.Count() && (!seen.isValid() || seen.toInt() != lv.VisibleRequests()))
        tree.scrollToItem(tree.topLevelItem(lv.VisibleRow() - 1));
    tree.setProperty("visibleRequests", lv.VisibleRequests());
    tree.setUpdatesEnabled(true);
}

void QtHost::timerChanged(Timer& t) {
    QTimer*& qt = timers_[&t];
    if (!qt) {
        qt = new QTimer();
        QObject::connect(qt, &QTimer::timeout, [&t] { t.fire(); });
    }
    if (t.running()) qt->start(t.Interval);
    else qt->stop();
}

void QtHost::programEnded() {
    ended_ = true;
    for (auto& [t, qt] : timers_) qt->stop();
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
}

void QtHost::DoEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtHost::Sleep(int ms) { QThread::msleep(static_cast<unsigned long>(std::max(0, ms))); }

std::int64_t QtHost::NowMs() { return QDateTime::currentMSecsSinceEpoch(); }

std::uint64_t QtHost::Seed() { return seed_ ? *seed_ : std::uint64_t(QDateTime::currentMSecsSinceEpoch()); }

int QtHost::ScreenWidthPixels() const { return Screen() ? Screen()->geometry().width() : 1920; }
int QtHost::ScreenHeightPixels() const { return Screen() ? Screen()->geometry().height() : 1080; }
PixelRect QtHost::WorkArea() const {
    if (!Screen()) return {0, 0, 1920, 1040};
    const QRect a = Screen()->availableGeometry();
    return {a.left(), a.top(), a.left() + a.width(), a.top() + a.height()};
}

void QtHost::StageRows(Form& stage, int top, int bottom) {
    auto& rows = stageRows_[&stage];
    if (rows == std::pair{top, bottom}) return;
    rows = {top, bottom};
    SyncForm(stage);
}

QRect QtHost::WindowRect(const Form& f) const {
    const QRect form(f.Left / tppX_, f.Top / tppY_, std::max(1, f.Width / tppX_), std::max(1, f.Height / tppY_));
    auto it = stageRows_.find(&f);
    if (it == stageRows_.end()) return form;
    // Only the band the figures stand in: the rest of a stage is never
    // drawn on, and a window as large as the screen holds an image as large.
    const int top = std::clamp(it->second.first, 0, form.height() - 1);
    const int bottom = std::clamp(it->second.second, top + 1, form.height());
    return QRect(form.left(), form.top() + top, form.width(), bottom - top);
}

QPoint QtHost::WindowOffset(const Form& f) const {
    return WindowRect(f).topLeft() - QPoint(f.Left / tppX_, f.Top / tppY_);
}

void QtHost::WindowMoved(FormWindow& w) {
    if (WindowFor(w.form()) != &w) return;
    placeTimer_->start(300);
}

void QtHost::ReadBackPlaces() {
    if (dragging_) return placeTimer_->start(300);
    const std::int64_t now = Elapsed();
    for (auto& [form, window] : windows_) {
        if (!window || !window->isVisible() || !form->loaded()) continue;
        auto asked = placedAt_.find(form);
        if (asked != placedAt_.end() && now - asked->second < 1000) {
            // The window manager may not have answered the game's last move yet.
            placeTimer_->start(300);
            continue;
        }
        const QPoint moved = window->geometry().topLeft() - WindowRect(*form).topLeft();
        if (moved.isNull()) continue;
        // The window manager put it elsewhere (a panel's strut, its own
        // placement): the game draws and takes clicks for where it is.
        Form& f = const_cast<Form&>(*form);
        f.Left = f.Left + moved.x() * tppX_;
        f.Top = f.Top + moved.y() * tppY_;
    }
}

int QtHost::TextWidthTwips(const std::string& text, const TextFont& font) {
    return QFontMetrics(FontOf(font)).horizontalAdvance(Q(text)) * tppX_;
}

int QtHost::TextHeightTwips(const TextFont& font) { return QFontMetrics(FontOf(font)).height() * tppY_; }

int QtHost::MsgBox(const std::string& prompt, int style, const std::string& title) {
    if (!msgAnswers_.empty()) {
        int a = msgAnswers_.front();
        msgAnswers_.pop_front();
        return a;
    }
    // A box without a title of its own carries the game's caption.
    QMessageBox box(IconOf(style), Q(title.empty() ? std::string(GameCaption) : title), Q(prompt));
    switch (style & 7) {
        case vbOKCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case vbYesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    PrepareDialog(box);
    switch (box.exec()) {
        case QMessageBox::Cancel: return vbCancel;
        case QMessageBox::Yes: return vbYes;
        case QMessageBox::No: return vbNo;
        default: return vbOK;
    }
}

std::string QtHost::InputBox(const std::string& prompt, const std::string& title, const std::string& text) {
    if (!inputAnswers_.empty()) {
        std::string a = inputAnswers_.front();
        inputAnswers_.pop_front();
        return a;
    }
    QInputDialog box;
    box.setInputMode(QInputDialog::TextInput);
    box.setWindowTitle(Q(title.empty() ? std::string(GameCaption) : title));
    box.setLabelText(Q(prompt));
    box.setTextValue(Q(text));
    // The whole line shows in the box, as far as the screen allows.
    if (auto* line = box.findChild<QLineEdit*>()) {
        const QScreen* screen = Screen();
        const int most = screen ? screen->availableGeometry().width() * 8 / 10 : 1000;
        const int wanted = QFontMetrics(line->font()).horizontalAdvance(line->text()) + 24;
        line->setMinimumWidth(std::min(most, std::max(line->minimumWidth(), wanted)));
    }
    PrepareDialog(box);
    const bool ok = box.exec() == QDialog::Accepted;
    return ok ? box.textValue().toStdString() : std::string();
}

void QtHost::PrepareDialog(QDialog& box) {
    // Above every game window, which are kept above other programs.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    // Opened while another program has the keyboard, it waits for a click.
    if (!QApplication::activeWindow()) {
        box.setAttribute(Qt::WA_ShowWithoutActivating);
        MapWithoutFocus(box);
    }
    // The game stays one entry on the taskbar.
    box.winId();
    ShowInTaskbar(box, false);
    FitCaption(box);
}

void QtHost::PopupMenu(Form&, MenuItem& menu) {
    if (scriptMenus_) {
        openMenu_ = &menu;
        return;
    }
    QMenu popup;
    std::unordered_map<QAction*, MenuItem*> chosen;
    for (MenuItem* item : menu.children) {
        if (!item->Visible) continue;
        if (item->isSeparator()) {
            popup.addSeparator();
            continue;
        }
        QAction* a = popup.addAction(Q(item->Caption));
        a->setEnabled(item->Enabled);
        a->setCheckable(item->Checked);
        a->setChecked(item->Checked);
        chosen[a] = item;
    }
    QAction* picked = popup.exec(QCursor::pos());
    if (picked && chosen.count(picked) && chosen[picked]->Click) chosen[picked]->Click();
}

std::string QtHost::ForegroundTitle() {
    // The game's own popup menus, message boxes and input boxes are game
    // windows as much as its forms are: while one is open the game is in
    // front, and nothing of the game is lifted over it.
    if (QApplication::activePopupWidget() || QApplication::activeModalWidget()) return GameCaption;
    QWidget* active = QApplication::activeWindow();
    if (!active) return std::string();
    if (dynamic_cast<FormWindow*>(active)) return active->windowTitle().toStdString();
    return GameCaption;
}

void QtHost::SetTopmost(Form& f, bool topmost) {
    FormWindow* w = WindowFor(f);
    if (!w) return;
    if (w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topmost) return;
    Qt::WindowFlags flags = w->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, topmost);
    if (QWindow* native = w->windowHandle()) {
        // Through the window manager's state (_NET_WM_STATE_ABOVE on X11),
        // the window staying mapped: a window mapped anew is one the window
        // manager hands the keyboard. A window being mapped keeps the input
        // it is mapped with (MapWithoutFocus).
        w->overrideWindowFlags(flags);
        native->setFlags(flags | (native->flags() & Qt::WindowDoesNotAcceptFocus));
    } else {
        w->setWindowFlags(flags);  // taken when the window is made
    }
}

void QtHost::SetFocus(Control& c) {
    QWidget* w = WidgetFor(c);
    if (!w) return;
    // The keyboard moves between the game's windows while the game has it;
    // while another program has it, the control has the focus in its window
    // and gets the keyboard when the player clicks the window.
    if (QApplication::activeWindow() && w->window() != QApplication::activeWindow()) w->window()->activateWindow();
    w->setFocus(Qt::OtherFocusReason);
}

Control* QtHost::FocusedControl() const {
    auto it = controlOf_.find(QApplication::focusWidget());
    return it == controlOf_.end() ? nullptr : it->second;
}

void QtHost::DragForm(Form& f, const std::function<void()>& moved) {
    if (!scriptedDrags_.empty()) {
        const auto [dx, dy] = scriptedDrags_.front();
        scriptedDrags_.pop_front();
        f.Left = f.Left + dx * tppX_;
        f.Top = f.Top + dy * tppY_;
        if (moved) moved();
        return;
    }
    FormWindow* w = WindowFor(f);
    if (!w || dragging_) return;
    // As the desktop drags a window by its caption: the window follows the
    // mouse from where the button went down until it is released.
    dragging_ = true;
    const QPoint start = lastPress_;
    const int left = f.Left, top = f.Top;
    QEventLoop loop;
    auto follow = [&](QPoint at) {
        if (!f.loaded()) return loop.quit();
        f.Left = left + (at.x() - start.x()) * tppX_;
        f.Top = top + (at.y() - start.y()) * tppY_;
        if (moved) moved();
    };
    DragFilter filter(follow, [&] { loop.quit(); });
    QPointer<FormWindow> guard(w);
    QObject::connect(w, &QObject::destroyed, &loop, &QEventLoop::quit);
    qApp->installEventFilter(&filter);
    w->grabMouse();
    // The move that started the drag counts too: on a busy machine the moves
    // come together and Qt hands over only the last, which may be this one,
    // followed by the release.
    follow(lastMove_);
    if (f.loaded()) loop.exec();
    qApp->removeEventFilter(&filter);
    if (guard) guard->releaseMouse();
    dragging_ = false;
}

void QtHost::Raise(Form& f) {
    if (FormWindow* w = WindowFor(f)) LiftAboveOthers(*w);
}

bool QtHost::OpenDocument(const std::string& path) {
    const QFileInfo file(Q(path));
    return file.exists() && QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}

std::string QtHost::DocumentPath(const std::string& name) {
    // Beside the program (a build, an unpacked folder), then in the share
    // folder of its install prefix, then in the desktop's data folders.
    const QString program = QCoreApplication::applicationDirPath();
    std::vector<std::filesystem::path> folders{program.toStdString(),
                                               QDir(program).filePath(QUORVANE_SHARE_FROM_BIN).toStdString()};
    for (const QString& d : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders.push_back(QDir(d).filePath("quorvane").toStdString());
    const std::filesystem::path found = FindFileIn(folders, name);
    return found.empty() ? name : found.string();
}

bool QtHost::AcquireInstanceLock() {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    lock_ = std::make_unique<QLockFile>(QDir(dir).filePath("quorvane-" + qEnvironmentVariable("USER", "player") + ".lock"));
    lock_->setStaleLockTime(0);
    return lock_->tryLock(0);
}

bool QtHost::DeliverKey(Form& form, Control* control, QEvent* event) {
    auto* ke = static_cast<QKeyEvent*>(event);
    const int code = VirtualKeyCode(ke->key(), ke->nativeScanCode());
    if (control && control->kind() == ControlKind::TextBox) {
        // Typing stays in the box: its KeyDown sees the key, then its
        // KeyPress the character, which it may swallow; what is left the box
        // takes, and no window behind it sees the key again.
        // A character goes through the box's key filter into the model, as
        // the game types it, and the box shows the result; every other key
        // (the caret, Delete, Shift+Insert, Ctrl+V) is the box's own, and what
        // it leaves is an edit of the player's.
        auto& box = static_cast<TextBox&>(*control);
        QPointer<QWidget> widget = WidgetFor(box);
        if (code != 0 && box.KeyDown) box.KeyDown(code, ShiftBits(ke->modifiers()));
        if (widget && box.form().loaded()) {
            if (const int typed = TypedCharacter(*ke)) {
                box.Type(typed);
            } else {
                forwarding_ = true;
                QApplication::sendEvent(widget, event);
                forwarding_ = false;
            }
        }
        event->accept();
        return true;
    }
    if (code == 0) return false;
    const int shift = ShiftBits(ke->modifiers());
    const bool listControl = control && control->kind() == ControlKind::ListView;
    if (listControl && (code == 37 || code == 39)) return false;  // the list scrolls sideways
    if (listControl && (code == 38 || code == 40)) {
        // Up and Down move the list's selection; a move raises the list's
        // item click, as a click on the row does.
        auto& lv = static_cast<ListView&>(*control);
        QPointer<QWidget> widget = WidgetFor(lv);
        const int before = lv.SelectedIndex();
        if (widget) {
            forwarding_ = true;
            QApplication::sendEvent(widget, event);
            forwarding_ = false;
        }
        if (lv.form().loaded() && lv.SelectedIndex() != before && lv.ItemClick) lv.ItemClick(lv.SelectedIndex());
        event->accept();
        return true;
    }
    PressKey(form, control, code, shift);
    event->accept();  // handled: the window behind the control does not see it again
    return true;
}

bool QtHost::eventFilter(QObject* watched, QEvent* event) {
    Control* watchedControl = nullptr;
    if (auto it = controlOf_.find(watched); it != controlOf_.end()) watchedControl = it->second;
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            lastPress_ = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
            lastMove_ = lastPress_;
            return false;
        case QEvent::MouseMove:
            lastMove_ = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
            return false;
        case QEvent::FocusIn:
            if (watchedControl && watchedControl->GotFocus && watchedControl->form().loaded()) watchedControl->GotFocus();
            return false;
        case QEvent::MouseButtonDblClick:
            // A box's double click is its own event; labels and windows handle theirs.
            if (watchedControl && watchedControl->kind() == ControlKind::TextBox && watchedControl->DblClick &&
                watchedControl->Enabled) {
                watchedControl->DblClick();
                return true;
            }
            return false;
        case QEvent::KeyPress:
            if (forwarding_) return false;  // a key a text box was handed back
            break;
        default: return false;
    }
    Control* control = nullptr;
    if (auto it = controlOf_.find(watched); it != controlOf_.end()) control = it->second;
    Form* form = control ? &control->form() : nullptr;
    if (!form)
        if (auto* w = dynamic_cast<FormWindow*>(watched)) form = &w->form();
    if (!form || !form->loaded()) return false;
    return DeliverKey(*form, control, event);
}

}  // namespace q
