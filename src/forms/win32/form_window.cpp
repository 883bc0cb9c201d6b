// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "form_window.h"

#include "accessible.h"
#include "conversions.h"
#include "resources.h"

#include <commctrl.h>

#include <stdexcept>

namespace forms::win32 {

namespace {

constexpr const wchar_t* kFormClass = L"forms.Form";
constexpr const wchar_t* kLabelClass = L"forms.Label";
constexpr const wchar_t* kShapeClass = L"forms.Shape";
// A fixed single border: a title bar with the system menu, minimise and
// close, and a thin frame that does not resize.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;
constexpr int kFirstControlId = 100; // clear of IDOK and IDCANCEL

HINSTANCE Instance()
{
    return GetModuleHandleW(nullptr);
}

void RegisterClasses(WNDPROC formProc, WNDPROC childProc)
{
    WNDCLASSEXW form {};
    form.cbSize = sizeof form;
    form.lpfnWndProc = formProc;
    form.hInstance = Instance();
    form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    form.lpszClassName = kFormClass;
    WNDCLASSEXW control = form;
    control.lpfnWndProc = childProc;
    control.lpszClassName = kLabelClass;
    WNDCLASSEXW shape = control;
    shape.lpszClassName = kShapeClass;
    for (const WNDCLASSEXW* windowClass : { &form, &control, &shape }) {
        if (RegisterClassExW(windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            throw std::runtime_error("cannot register the form's window classes");
    }
}

HICON LoadProgramIcon(UINT dpi, int metric)
{
    const int size = GetSystemMetricsForDpi(metric, dpi);
    return static_cast<HICON>(
        LoadImageW(Instance(), MAKEINTRESOURCEW(FORMS_PROGRAM_ICON), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

} // namespace

FormWindow::FormWindow(Form& form, Runtime& runtime)
    : FormView(form, runtime)
{
    RegisterClasses(&WindowProc, &ChildProc);
    background_ = CreateSolidBrush(ToColorRef(form.BackColor));
    window_ = CreateWindowExW(kFormExStyle, kFormClass, Widen(form.Caption).c_str(), kFormStyle, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, Instance(), this);
    if (window_ == nullptr)
        throw std::runtime_error("cannot create the form's window");

    children_.reserve(form.Controls().size());
    for (Control* control : form.Controls()) {
        HWND window = CreateChild(*control, kFirstControlId + static_cast<int>(children_.size()));
        children_.push_back({ control, window });
        AttachControl(window, *control);
    }
    // Child windows are stacked, and the dialog manager's Tab walks them, in
    // tab order.
    for (const CommandButton* button : TabOrder())
        SetWindowPos(HandleOf(*button), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Layout(GetDpiForWindow(window_), nullptr);
}

FormWindow::~FormWindow()
{
    if (window_ != nullptr)
        DestroyWindow(window_);
    for (const auto& [font, handle] : fonts_)
        DeleteObject(handle);
    for (HICON icon : icons_) {
        if (icon != nullptr)
            DestroyIcon(icon);
    }
    DeleteObject(background_);
}

HWND FormWindow::CreateChild(Control& control, int id)
{
    const RECT place = PixelRect(control, dpi_);
    const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    HWND child = nullptr;
    if (auto* button = dynamic_cast<CommandButton*>(&control)) {
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | (button->Enabled ? 0 : WS_DISABLED);
        child = CreateWindowExW(0, WC_BUTTONW, Widen(button->Caption.Get()).c_str(), style, place.left, place.top,
            place.right - place.left, place.bottom - place.top, window_, menu, Instance(), nullptr);
        if (child != nullptr)
            SetWindowSubclass(child, &ButtonProc, 0, reinterpret_cast<DWORD_PTR>(this));
    } else {
        const wchar_t* windowClass = dynamic_cast<Shape*>(&control) != nullptr ? kShapeClass : kLabelClass;
        child = CreateWindowExW(0, windowClass, L"", WS_CHILD | WS_VISIBLE, place.left, place.top,
            place.right - place.left, place.bottom - place.top, window_, menu, Instance(), nullptr);
    }
    if (child == nullptr)
        throw std::runtime_error("cannot create the window of control " + control.Name);
    return child;
}

void FormWindow::Layout(UINT dpi, const RECT* suggested)
{
    dpi_ = dpi;
    // The fonts at the old DPI go once no control uses them any more.
    std::map<const StdFont*, HFONT> old;
    old.swap(fonts_);
    for (Child& child : children_) {
        const RECT place = PixelRect(*child.control, dpi);
        SetWindowPos(child.window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
            SWP_NOZORDER | SWP_NOACTIVATE);
        const StdFont* font = ViewedForm().FontOf(*child.control);
        if (font == nullptr)
            continue;
        auto [made, added] = fonts_.try_emplace(font, nullptr);
        if (added)
            made->second = CreateFontFor(*font, dpi_);
        if (dynamic_cast<CommandButton*>(child.control) != nullptr)
            SendMessageW(child.window, WM_SETFONT, reinterpret_cast<WPARAM>(made->second), FALSE);
    }
    for (const auto& [font, handle] : old)
        DeleteObject(handle);

    const SIZE client = ClientSize(ViewedForm().ClientWidth, ViewedForm().ClientHeight, dpi);
    RECT frame { 0, 0, client.cx, client.cy };
    AdjustWindowRectExForDpi(&frame, kFormStyle, FALSE, kFormExStyle, dpi);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    if (suggested != nullptr)
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    else
        SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Where the frame the system draws is not the one it computes for the
    // DPI (a title bar that a window manager draws, say), the client area
    // is put right by what it lacks.
    RECT actual;
    GetClientRect(window_, &actual);
    if (actual.right != client.cx || actual.bottom != client.cy) {
        width += client.cx - actual.right;
        height += client.cy - actual.bottom;
        SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    const std::array<HICON, 2> icons { LoadProgramIcon(dpi, SM_CXICON), LoadProgramIcon(dpi, SM_CXSMICON) };
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons[0]));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons[1]));
    for (HICON icon : icons_) {
        if (icon != nullptr)
            DestroyIcon(icon);
    }
    icons_ = icons;
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HFONT FormWindow::FontOf(const Control& control) const
{
    const auto found = fonts_.find(ViewedForm().FontOf(control));
    return found == fonts_.end() ? nullptr : found->second;
}

HWND FormWindow::HandleOf(const Control& control) const
{
    const Child* child = FindChild(children_, control);
    return child == nullptr ? nullptr : child->window;
}

FormWindow::Child* FormWindow::ChildOf(HWND window)
{
    for (Child& child : children_) {
        if (child.window == window)
            return &child;
    }
    return nullptr;
}

void FormWindow::Show()
{
    ShowWindow(window_, SW_SHOWDEFAULT);
    UpdateWindow(window_);
}

void FormWindow::Hide()
{
    ShowWindow(window_, SW_HIDE);
}

void FormWindow::ShowCaption(TextControl& control)
{
    // A label's window has no text of its own, which the system would tell
    // assistive technology of at every change: the label paints its caption.
    if (dynamic_cast<CommandButton*>(&control) != nullptr)
        SetWindowTextW(HandleOf(control), Widen(control.Caption.Get()).c_str());
    else
        InvalidateRect(HandleOf(control), nullptr, FALSE);
}

void FormWindow::ShowEnabled(CommandButton& button)
{
    EnableWindow(HandleOf(button), button.Enabled ? TRUE : FALSE);
}

void FormWindow::ShowBackColor(Shape& shape)
{
    InvalidateRect(HandleOf(shape), nullptr, FALSE);
}

void FormWindow::TellName(Control& control)
{
    NotifyNameChanged(HandleOf(control));
}

void FormWindow::TellDescription(Control& control)
{
    NotifyDescriptionChanged(HandleOf(control));
}

void FormWindow::MoveFocus(CommandButton* button)
{
    // A window in the background takes the focus when it comes forward.
    if (GetActiveWindow() == window_)
        SetFocus(button != nullptr ? HandleOf(*button) : window_);
}

void FormWindow::PostFocus(CommandButton& button)
{
    PostMessageW(window_, kFocusLater, 0, reinterpret_cast<LPARAM>(&button));
}

LRESULT CALLBACK FormWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (self->window_ == nullptr)
        self->window_ = window; // during CreateWindowExW
    return Guarded(self->ViewedRuntime(), [&] { return self->HandleMessage(message, wParam, lParam); });
}

LRESULT FormWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        // Clicks on the buttons; the dialog manager's IDOK and IDCANCEL for
        // Return and Escape elsewhere come from no control and do nothing.
        if (HIWORD(wParam) == BN_CLICKED && lParam != 0)
            Clicked(reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_CLOSE:
        // The game has no say in its window's closing: it ends the program.
        ViewedRuntime().Close();
        return 0;
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, background_);
        return 1;
    }
    case WM_CTLCOLORBTN:
        return reinterpret_cast<LRESULT>(background_);
    case WM_ACTIVATE:
        // The focus stays with the button that had it while the window is in
        // the background, as in a dialog.
        if (LOWORD(wParam) != WA_INACTIVE)
            SetFocus(Focus() != nullptr ? HandleOf(*Focus()) : window_);
        return 0;
    case kFocusLater:
        FocusArrived(*reinterpret_cast<CommandButton*>(lParam));
        return 0;
    case WM_GETDPISCALEDSIZE: {
        const SIZE client = ClientSize(ViewedForm().ClientWidth, ViewedForm().ClientHeight, static_cast<UINT>(wParam));
        RECT frame { 0, 0, client.cx, client.cy };
        AdjustWindowRectExForDpi(&frame, kFormStyle, FALSE, kFormExStyle, static_cast<UINT>(wParam));
        auto* size = reinterpret_cast<SIZE*>(lParam);
        size->cx = frame.right - frame.left;
        size->cy = frame.bottom - frame.top;
        return TRUE;
    }
    case WM_DPICHANGED:
        Layout(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_THEMECHANGED:
        // The desktop's colour scheme changed: system colours are read anew
        // at every paint.
        for (const Child& child : children_)
            SendMessageW(child.window, message, wParam, lParam);
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

} // namespace forms::win32
