#ifndef PLATFORM_UI_FORM_H
#define PLATFORM_UI_FORM_H

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Control.h"

#include <QMainWindow>
class QEventLoop;
class QKeyEvent;

namespace plat {

class MenuItem;

// A window of the program. A window class derives from Form, holds its controls as members
// (created in its constructor, in tab order) and sets their handlers. Load runs before the window
// is first shown (or by plat::Load); Unload hides it and ends its loaded life (plat::Unload).
// Geometry is in twips; Width and Height are the whole window's, ScaleWidth and ScaleHeight its
// client area's.
class Form : public Container {
public:
    explicit Form(std::string name);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    QWidget* ClientWidget() override;
    Form& OwnerForm() override { return *this; }
    QMainWindow* Window() const { return window_; }
    const std::string& Name() const { return name_; }

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int twips);
    void SetTop(int twips);
    void SetWidth(int twips);
    void SetHeight(int twips);
    void Move(int left, int top, int width, int height);
    int ScaleWidth() const;
    int ScaleHeight() const;
    // Sets the client area's size in twips.
    void SetClientSize(int width, int height);
    Colour BackColor() const { return backColor_; }
    void SetBackColor(Colour colour);

    enum class Modality { Modeless, Modal };
    // Loads the window if needed and shows it. Modal: the call runs a nested event loop and
    // returns when the window is hidden or unloaded; the program's other windows take no input
    // meanwhile.
    void Show(Modality modality = Modality::Modeless);
    // vbNormal 0, vbMinimized 1, vbMaximized 2.
    int WindowState() const;
    void SetWindowState(int state);
    void Hide();
    bool Visible() const;
    bool IsLoaded() const { return loaded_; }
    // True once the window has been loaded and then unloaded.
    bool WasUnloaded() const { return unloaded_; }
    bool IsModal() const { return modalLoop_ != nullptr; }

    // When true, the window sees KeyDown and KeyPress before the control with the focus.
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool preview) { keyPreview_ = preview; }

    // The control that has, or last had, the focus in this window; while a key's handlers run, the
    // control the key was sent to.
    Control* ActiveControl() const;
    // Moves the focus to the next control in tab order, as a TAB keystroke would, after the
    // running handler has returned; the LostFocus and GotFocus that follow see its changes.
    void SendTab();

    // The window's menu bar: top-level menus in order.
    MenuItem& AddMenu(const std::string& name, const std::string& caption);
    // Shows a menu (usually a hidden top-level one) as a pop-up at the mouse position and returns
    // when it closes; a chosen item's Click has run by then.
    void PopupMenu(MenuItem& menu);

    // The window's controls, in the order they were created.
    const std::vector<Control*>& Controls() const { return controls_; }
    Control* FindControl(const std::string& name, int index = -1) const;

    std::function<void()> Load;
    std::function<void()> Activate;
    std::function<void()> Resize;
    // The window, or part of it, came into view (an expose of the desktop), never because the program
    // drew into it. Runs from the event loop; exposes that come before it runs give one Paint.
    std::function<void()> Paint;
    // Before the window is unloaded (by code or by its close box); cancel != 0 keeps it.
    std::function<void(int& cancel)> Unload;
    std::function<void(int& keyCode, int shift)> KeyDown;
    std::function<void(int& keyAscii)> KeyPress;

private:
    friend class Control;
    friend class FormWindow;
    friend void Load(Form& form);
    friend bool Unload(Form& form);
    void AddControl(Control* control);
    void RemoveControl(Control* control);
    bool CloseRequested();
    void QueuePaint();
    // The menu bar's part of a key, before any key handler: a shortcut or an access key of the
    // bar chooses its item. True when the key was the menu's.
    bool MenuKey(int keyCode, int shiftState);
    // A key that no control's pipeline has seen: the menu's part, then KeyDown and KeyPress.
    void WindowKey(QKeyEvent& event);

    std::string name_;
    QMainWindow* window_;
    QWidget* client_;
    std::vector<Control*> controls_;
    std::vector<std::unique_ptr<MenuItem>> menus_;
    QEventLoop* modalLoop_ = nullptr;
    Control* focusOwner_ = nullptr;
    Control* keyControl_ = nullptr;
    Colour backColor_ = kSystemButtonFace;
    bool loaded_ = false;
    bool unloaded_ = false;
    bool keyPreview_ = false;
    bool paintQueued_ = false;
};

// Runs the window's Load handler once, without showing it.
void Load(Form& form);
// Unloads the window: its Unload handler may cancel (then false); else it is hidden, a modal
// Show returns, and it leaves the collection of loaded windows.
bool Unload(Form& form);
// The loaded windows, in the order they were loaded.
std::vector<Form*> LoadedForms();

// Deletes a window once control returns to the event loop.
void RetireForm(std::unique_ptr<Form> form);

// Deletes the window of every default instance, the last made first, and then the windows retired
// before. The program calls it before its application object goes, and window tests between tests:
// a window must not outlive the toolkit's state, which ends before the program's static objects do.
void DeleteWindowInstances();

namespace detail {
void RegisterWindowInstance(const void* owner, std::function<void()> deleter);
void UnregisterWindowInstance(const void* owner);
} // namespace detail

// A window's default instance, created on first use; a window that has been unloaded is
// replaced by a fresh one on the next use (the old one is deleted once control returns to the
// event loop).
template <class T> class DefaultInstance {
public:
    DefaultInstance() = default;
    DefaultInstance(const DefaultInstance&) = delete;
    DefaultInstance& operator=(const DefaultInstance&) = delete;
    ~DefaultInstance() {
        if (registered_) {
            detail::UnregisterWindowInstance(this);
        }
    }

    T& operator()() {
        if (!form_ || form_->WasUnloaded()) {
            RetireForm(std::move(form_));
            // Registered before the window is made, so that windows its constructor makes go first.
            if (!registered_) {
                detail::RegisterWindowInstance(this, [this] { form_.reset(); });
                registered_ = true;
            }
            form_ = std::make_unique<T>();
        }
        return *form_;
    }
    bool Exists() const { return form_ && !form_->WasUnloaded(); }

private:
    std::unique_ptr<T> form_;
    bool registered_ = false;
};

} // namespace plat

#endif
