#include "platform/ui/Form.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

#include "platform/ui/Dispatch.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Menu.h"
#include "platform/ui/QtText.h"
#include "platform/ui/Twips.h"

namespace plat {

namespace {

std::vector<Form*>& Registry() {
    static std::vector<Form*> forms;
    return forms;
}

// The window that became active last. A window is activated again only after another window of
// the program was: a message box or dialog that closes hands the activation back without it, so a
// window that draws itself on activation and reports a failure in a box does not loop.
const Form* lastActivated = nullptr;

} // namespace

class FormWindow : public QMainWindow {
public:
    explicit FormWindow(Form& form) : form_(form) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        bool close = false;
        Dispatch(this, [&] { close = form_.CloseRequested(); });
        if (close) {
            event->accept();
        } else {
            event->ignore();
        }
    }
    void changeEvent(QEvent* event) override {
        QMainWindow::changeEvent(event);
        if (event->type() == QEvent::ActivationChange && isActiveWindow() && lastActivated != &form_) {
            lastActivated = &form_;
            if (form_.Activate) {
                Dispatch(this, form_.Activate);
            }
        }
    }
    // A hidden window is activated anew when it is shown again.
    void hideEvent(QHideEvent* event) override {
        QMainWindow::hideEvent(event);
        if (lastActivated == &form_) {
            lastActivated = nullptr;
        }
    }
    // A key that reaches the window without a control having run it (no control holds the focus,
    // as after a message box closed, or a window of picture boxes only) is the window's own.
    void keyPressEvent(QKeyEvent* event) override {
        if (detail::KeyDeliveredByControl(event)) {
            QMainWindow::keyPressEvent(event);
            return;
        }
        Dispatch(this, [&] { form_.WindowKey(*event); });
    }
    // The desktop's exposes reach the native window, not the widget: they are watched there. The
    // widget's own repaints (a picture box drawn into, a control updated) are no exposes.
    void showEvent(QShowEvent* event) override {
        QMainWindow::showEvent(event);
        QWindow* handle = windowHandle();
        if (handle != nullptr && handle != watched_) {
            watched_ = handle;
            handle->installEventFilter(this);
        }
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == watched_ && event->type() == QEvent::Expose && watched_->isExposed()) {
            form_.QueuePaint();
        }
        return QMainWindow::eventFilter(watched, event);
    }
    void resizeEvent(QResizeEvent* event) override {
        QMainWindow::resizeEvent(event);
        if (form_.Resize) {
            Dispatch(this, form_.Resize);
        }
    }

private:
    Form& form_;
    QPointer<QWindow> watched_;
};

Form::Form(std::string name) : name_(std::move(name)) {
    window_ = new FormWindow(*this);
    window_->setObjectName(ToQString(name_));
    client_ = new QWidget(window_);
    client_->setAutoFillBackground(true);
    window_->setCentralWidget(client_);
    SetBackColor(backColor_);
}

Form::~Form() {
    if (lastActivated == this) {
        lastActivated = nullptr;
    }
    if (modalLoop_) {
        modalLoop_->quit();
    }
    auto& forms = Registry();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    delete window_;
}

QWidget* Form::ClientWidget() {
    return client_;
}

std::string Form::Caption() const {
    return FromQString(window_->windowTitle());
}
void Form::SetCaption(const std::string& caption) {
    window_->setWindowTitle(ToQString(caption));
}

int Form::Left() const {
    return PixelsToTwips(window_->x());
}
int Form::Top() const {
    return PixelsToTwips(window_->y());
}
int Form::Width() const {
    return PixelsToTwips(window_->width());
}
int Form::Height() const {
    return PixelsToTwips(window_->height());
}
void Form::SetLeft(int twips) {
    window_->move(TwipsToPixels(twips), window_->y());
}
void Form::SetTop(int twips) {
    window_->move(window_->x(), TwipsToPixels(twips));
}
void Form::SetWidth(int twips) {
    window_->resize(TwipsToPixels(twips), window_->height());
}
void Form::SetHeight(int twips) {
    window_->resize(window_->width(), TwipsToPixels(twips));
}

void Form::Move(int left, int top, int width, int height) {
    window_->move(TwipsToPixels(left), TwipsToPixels(top));
    window_->resize(TwipsToPixels(width), TwipsToPixels(height));
}

namespace {

// The height the menu bar and tool bars take above the client area.
int FrameExtraPixels(QMainWindow* window) {
    int extra = 0;
    if (QMenuBar* bar = window->menuBar(); bar && !bar->actions().isEmpty()) {
        extra += bar->sizeHint().height();
    }
    for (QToolBar* toolBar : window->findChildren<QToolBar*>(Qt::FindDirectChildrenOnly)) {
        if (!toolBar->isHidden()) {
            extra += toolBar->sizeHint().height();
        }
    }
    return extra;
}

} // namespace

int Form::ScaleWidth() const {
    return PixelsToTwips(window_->width());
}
int Form::ScaleHeight() const {
    return PixelsToTwips(std::max(0, window_->height() - FrameExtraPixels(window_)));
}

void Form::SetClientSize(int width, int height) {
    window_->resize(TwipsToPixels(width), TwipsToPixels(height) + FrameExtraPixels(window_));
}

void Form::SetBackColor(Colour colour) {
    backColor_ = colour;
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, ToQColor(colour));
    client_->setPalette(palette);
}

void Form::Show(Modality modality) {
    if (!loaded_) {
        plat::Load(*this);
    }
    if (modality == Modality::Modal) {
        if (modalLoop_) {
            return;
        }
        window_->hide();
        window_->setWindowModality(Qt::ApplicationModal);
    }
    window_->show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        window_->raise();
    }
    window_->activateWindow();
    if (modality == Modality::Modal) {
        QPointer<QWidget> previous(QApplication::activeWindow());
        QEventLoop loop;
        modalLoop_ = &loop;
        QPointer<QMainWindow> alive(window_);
        loop.exec(QEventLoop::DialogExec);
        if (alive) {
            modalLoop_ = nullptr;
            window_->setWindowModality(Qt::NonModal);
        }
        // The window that was active before takes over again.
        if (previous && previous->isVisible()) {
            previous->activateWindow();
        }
    }
}

void Form::Hide() {
    window_->hide();
    if (modalLoop_) {
        modalLoop_->quit();
    }
}

int Form::WindowState() const {
    const Qt::WindowStates states = window_->windowState();
    return states.testFlag(Qt::WindowMinimized) ? 1 : states.testFlag(Qt::WindowMaximized) ? 2 : 0;
}

void Form::SetWindowState(int state) {
    window_->setWindowState(state == 1 ? Qt::WindowMinimized : state == 2 ? Qt::WindowMaximized : Qt::WindowNoState);
}

bool Form::Visible() const {
    return window_->isVisible();
}

Control* Form::ActiveControl() const {
    if (keyControl_ != nullptr) {
        return keyControl_;
    }
    return Control::FromWidget(window_->focusWidget());
}

void Form::SendTab() {
    QTimer::singleShot(0, window_, [window = QPointer<QMainWindow>(window_)] {
        if (!window) {
            return;
        }
        QWidget* focus = QApplication::focusWidget();
        if (!focus || focus->window() != window) {
            focus = window->focusWidget();
        }
        if (!focus) {
            return;
        }
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(focus, &tab);
    });
}

MenuItem& Form::AddMenu(const std::string& name, const std::string& caption) {
    menus_.push_back(std::unique_ptr<MenuItem>(new MenuItem(name, caption, window_->menuBar())));
    return *menus_.back();
}

void Form::PopupMenu(MenuItem& menu) {
    menu.Popup();
}

bool Form::MenuKey(int keyCode, int shiftState) {
    MenuItem* item = MenuItemOfKey(menus_, keyCode, shiftState);
    if (item == nullptr) {
        return false;
    }
    item->Choose();
    return true;
}

void Form::WindowKey(QKeyEvent& event) {
    QPointer<QMainWindow> alive(window_);
    int code = KeyCodeOf(event);
    const int shiftState = ShiftStateOf(event.modifiers());
    if (code != 0) {
        if (MenuKey(code, shiftState)) {
            return;
        }
        if (KeyDown) {
            KeyDown(code, shiftState);
        }
        if (!alive) {
            return;
        }
    }
    int ascii = CharCodeOf(event);
    if (ascii != 0 && KeyPress) {
        KeyPress(ascii);
    }
}

Control* Form::FindControl(const std::string& name, int index) const {
    for (Control* control : controls_) {
        if (control->Name() == name && control->Index() == index) {
            return control;
        }
    }
    return nullptr;
}

void Form::AddControl(Control* control) {
    controls_.push_back(control);
}

void Form::RemoveControl(Control* control) {
    if (focusOwner_ == control) {
        focusOwner_ = nullptr;
    }
    if (keyControl_ == control) {
        keyControl_ = nullptr;
    }
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

void Form::QueuePaint() {
    if (paintQueued_) {
        return;
    }
    paintQueued_ = true;
    QTimer::singleShot(0, window_, [this] {
        paintQueued_ = false;
        if (Paint && window_->isVisible()) {
            Dispatch(window_, Paint);
        }
    });
}

bool Form::CloseRequested() {
    return plat::Unload(*this);
}

void Load(Form& form) {
    if (form.loaded_) {
        return;
    }
    form.loaded_ = true;
    form.unloaded_ = false;
    Registry().push_back(&form);
    if (form.Load) {
        form.Load();
    }
}

bool Unload(Form& form) {
    if (!form.loaded_) {
        return true;
    }
    int cancel = 0;
    if (form.Unload) {
        form.Unload(cancel);
    }
    if (cancel != 0) {
        return false;
    }
    form.Hide();
    form.loaded_ = false;
    form.unloaded_ = true;
    auto& forms = Registry();
    forms.erase(std::remove(forms.begin(), forms.end(), &form), forms.end());
    return true;
}

std::vector<Form*> LoadedForms() {
    return Registry();
}

void RetireForm(std::unique_ptr<Form> form) {
    if (!form) {
        return;
    }
    if (!QCoreApplication::instance()) {
        return;
    }
    QTimer::singleShot(0, QCoreApplication::instance(), [raw = form.release()] { delete raw; });
}

namespace {

struct WindowInstanceEntry {
    const void* owner;
    std::function<void()> deleter;
};

// Never destroyed: default instances are static objects that may unregister during the program's end.
std::vector<WindowInstanceEntry>& WindowInstances() {
    static auto* instances = new std::vector<WindowInstanceEntry>;
    return *instances;
}

} // namespace

namespace detail {

void RegisterWindowInstance(const void* owner, std::function<void()> deleter) {
    WindowInstances().push_back({owner, std::move(deleter)});
}

void UnregisterWindowInstance(const void* owner) {
    std::erase_if(WindowInstances(), [owner](const WindowInstanceEntry& e) { return e.owner == owner; });
}

} // namespace detail

void DeleteWindowInstances() {
    const std::vector<WindowInstanceEntry> instances = WindowInstances();
    for (auto it = instances.rbegin(); it != instances.rend(); ++it) {
        it->deleter();
    }
    if (QCoreApplication::instance()) {
        QCoreApplication::processEvents();
    }
}

} // namespace plat
