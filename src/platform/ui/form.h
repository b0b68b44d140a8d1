#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/handles.h"
#include "platform/picture.h"
#include "platform/ui/layout.h"

namespace kaza::ui {

class Form;
class PictureBoxWindow;
class PixelImage;

enum class Event { Click, Change, KeyUp };

// A control of a form, with the properties the program uses (VB-like).
class Control {
public:
    Control(Form& form, const ControlDecl& decl, HWND hwnd, int id);
    ~Control();

    const ControlDecl& decl() const { return decl_; }
    HWND hwnd() const { return hwnd_; }
    int id() const { return id_; }
    Form& form() const { return form_; }

    std::string Caption() const;  // the window text; Text() is the same for fields
    void SetCaption(const std::string& text);
    std::string Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }

    // Text fields: whether the user changed the text since it was last set by the program.
    bool Modified() const;

    bool Visible() const;
    void SetVisible(bool on);
    bool Enabled() const;
    void SetEnabled(bool on);

    // Check boxes and option buttons.
    bool Checked() const;
    void SetChecked(bool on);

    // List boxes.
    void AddItem(const std::string& text);
    void Clear();
    int ListCount() const;
    int ListIndex() const;  // -1 when nothing is selected
    void SetListIndex(int i);
    std::string ListItem(int i) const;  // empty beyond the list
    std::string SelectedText() const;   // empty when nothing is selected

    // Geometry in twips relative to the form's client area.
    void Move(double left, double top, double width, double height);
    RECT PixelRect() const;

    // Colours as the form paints them.
    COLORREF fore() const { return fore_; }
    COLORREF back() const { return back_; }
    void SetFore(COLORREF c);
    void SetBack(COLORREF c);

    // Picture boxes and images: never nullptr, also when the window could not be made (a box
    // without a window then answers as an empty one). nullptr for other kinds.
    PictureBoxWindow* pictureBox() const;

private:
    Form& form_;
    const ControlDecl& decl_;
    HWND hwnd_;
    int id_;
    COLORREF fore_, back_;
    mutable std::unique_ptr<PictureBoxWindow> standIn_;
};

class MenuItem {
public:
    MenuItem(Form& form, const MenuDecl& decl, HMENU parent, UINT id, HMENU popup);
    const MenuDecl& decl() const { return decl_; }
    UINT id() const { return id_; }
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& text);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);

private:
    Form& form_;
    const MenuDecl& decl_;
    HMENU parent_;
    UINT id_;
    HMENU popup_;
    std::string caption_;
    bool enabled_ = true;
};

struct StatusPanel {
    int widthTwips;
    const char* text;
};

struct FormDecl {
    const char* caption;
    // The window's font, which every row that names no face or size of its own takes. {}: the
    // font mapper's choice for the character set, at its default size.
    FontDecl font;
    int clientWidth, clientHeight;  // twips
    const ControlDecl* controls;
    size_t controlCount;
    const MenuDecl* menus = nullptr;
    size_t menuCount = 0;
    const StatusPanel* panels = nullptr;
    size_t panelCount = 0;
};

// The number of rows of a table, counted by the compiler.
template <class T, size_t N>
constexpr size_t Count(const T (&)[N]) { return N; }

// One window of the program: created from its table on Load, destroyed on Unload.
// The object outlives its window, so a window can be loaded again later.
class Form {
public:
    explicit Form(const FormDecl& decl);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    HWND hwnd() const { return hwnd_; }
    bool Loaded() const { return hwnd_ != nullptr; }
    bool Visible() const;

    // Creates the window (hidden) and its controls, then runs Form_Load. Nothing when loaded.
    // False when the system could not make the window or one of its controls: the form then stays
    // unloaded, and its controls answer as empty ones. A handler for a name the form's tables do
    // not have stops the program here.
    bool Load();
    // Modeless: loads when needed, shows the window and brings it to the front.
    void Show();
    // Modal: as Show, with every other window of the program disabled until this one
    // is hidden or unloaded.
    void ShowModal();
    void Hide();
    // Destroys the window. Form_Unload runs first.
    void Unload();

    Control& C(const std::string& name, int index = -1);
    Control* Find(const std::string& name, int index = -1);
    Control* FindByHwnd(HWND h);
    MenuItem& Menu(const std::string& name);

    std::string Caption() const;
    void SetCaption(const std::string& text);

    // Status bar panels, counted from 1 as the program names them.
    std::string Panel(int i) const;
    void SetPanel(int i, const std::string& text);

    // The window's background picture, painted at the top-left behind every control: filling an
    // area of the given size in twips, or at its own size in pixels at 96 dpi (0).
    void SetBackgroundPicture(platform::Picture picture, int widthTwips = 0, int heightTwips = 0);
    const platform::Picture& BackgroundPicture() const { return background_; }
    // The background as it is painted: its pixels over the button face, at the size it is shown.
    PixelImage BackgroundPixels() const;

    // Places the window over the middle of another one, kept on the screen's left and top.
    void CentreOver(HWND other);

    // The busy pointer over the program's windows while true (BusyPointer sets it for a scope).
    static void SetBusy(bool busy);

    // Every form object that exists, in creation order.
    static const std::vector<Form*>& All();
    // How many modal windows are open right now.
    static int ModalDepth();
    // Tests: runs once inside the next ShowModal, with the modal form shown; the form is
    // unloaded afterwards if the callback left it open.
    static void SetModalHook(std::function<void(Form&)> hook);

    // Delivers an event as if the user had caused it (tests, and controls that share a handler).
    // The name must be one of the form's controls or menu entries.
    void Raise(const std::string& name, int index, Event e);

protected:
    using Handler = std::function<void(int index)>;
    void On(const std::string& name, Event e, Handler h);

    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    // The close box; the default unloads the window.
    virtual void Form_Close() { Unload(); }
    virtual LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);

private:
    friend bool InitToolkit();
    friend bool TranslateFormMessage(MSG& msg);
    bool DialogKey(HWND focus, WPARAM vk);
    Control* DeclaredButton(bool ControlDecl::*role);
    void ShowDefaultFor(HWND focus);
    static LRESULT CALLBACK WndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    void Subclass(HWND hw);
    static LRESULT CALLBACK ControlProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    bool CreateControls();
    bool CreateMenus();
    bool CreateStatusBar();
    void OrderControls();
    void Dispatch(Control& c, Event e);
    void ControlCommand(HWND from, UINT code);
    void MenuCommand(UINT id);
    bool Activated(WPARAM wp);
    bool Declares(const std::string& name) const;
    void CheckHandlers() const;
    bool HasHandler(const std::string& name) const;
    void PaintBackground(HDC dc);
    HBRUSH ColorFor(HWND child, HDC dc);
    void RebuildBackground();
    HFONT FontFor(const FontDecl& f);

    const FormDecl& decl_;
    HWND hwnd_ = nullptr;
    HWND status_ = nullptr;
    std::vector<std::string> panelTexts_;
    bool statusTips_ = false;  // the status bar shows tooltips (comctl32 4.71 and later)
    platform::Font statusFont_;
    HFONT StatusFont();
    void UpdatePanelTip(int i);
    HMENU menuBar_ = nullptr;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<std::unique_ptr<MenuItem>> menus_;
    std::map<std::pair<std::string, Event>, Handler> handlers_;
    // What C() and Menu() answer while the window cannot be made.
    std::vector<std::unique_ptr<Control>> detached_;
    std::vector<std::unique_ptr<MenuItem>> detachedMenus_;
    platform::Picture background_;
    SIZE backgroundArea_{0, 0};
    platform::Bitmap backgroundBitmap_;
    platform::Brush backgroundBrush_;
    std::map<COLORREF, platform::Brush> solidBrushes_;
    bool unloading_ = false;
    HWND lastFocus_ = nullptr;  // the control to give the focus back to on activation
    HWND createOwner_ = nullptr;  // the owner the next Load creates the window with
    HWND ModalOwner() const;
};

// Gives the keyboard of a form's window its dialog habits: Tab moves the focus, Enter presses the
// focused button or else the window's default button, Escape its cancel button. True when the
// message was used up; the caller translates and dispatches it otherwise.
bool TranslateFormMessage(MSG& msg);
// Runs the program's message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();
// Lets every pending message run (tests, and windows painted before a command returns).
void DoEvents();
// Registers the window classes and common controls and starts OLE, once. False when the form
// class cannot be registered or OLE cannot be started (pictures then stay empty).
bool InitToolkit();

// The busy pointer over the program's windows for as long as it lives; the pointer before it
// comes back afterwards.
class BusyPointer {
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    bool previous_;
};

}  // namespace kaza::ui
