// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "accessible.h"

#include "conversions.h"

#include <oleacc.h>

#include <atomic>
#include <new>

namespace forms::win32 {

namespace {

constexpr const wchar_t* kControlProperty = L"forms.Control";

bool IsSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT ToBstr(const std::string& text, BSTR* result)
{
    if (result == nullptr)
        return E_POINTER;
    *result = nullptr;
    if (text.empty())
        return S_FALSE;
    try {
        const std::wstring wide = Widen(text);
        *result = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY; // no exception crosses a COM call
    }
    return *result != nullptr ? S_OK : E_OUTOFMEMORY;
}

// The control's object: the standard one for its window, with the control's
// role, name, description and state, and a button's default action. It
// refers to the control only while the window still shows it, so a client
// that keeps it longer gets an error, not a dangling control.
class AccessibleControl final : public IAccessible, public IOleWindow {
public:
    AccessibleControl(HWND window, const Control& control, IAccessible* standard)
        : window_(window)
        , control_(&control)
        , standard_(standard)
    {
    }
    AccessibleControl(const AccessibleControl&) = delete;
    AccessibleControl& operator=(const AccessibleControl&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible))
            *object = static_cast<IAccessible*>(this);
        else if (iid == __uuidof(IOleWindow))
            *object = static_cast<IOleWindow*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    // IDispatch: clients of this object call IAccessible directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (count == nullptr)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override
    {
        if (window == nullptr)
            return E_POINTER;
        *window = window_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IAccessible: what the control says of itself.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        const Control* control = nullptr;
        const HRESULT reached = Reach(child, name, control);
        return FAILED(reached) ? reached : ToBstr(control->AccessibleName, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        const Control* control = nullptr;
        const HRESULT reached = Reach(child, description, control);
        return FAILED(reached) ? reached : ToBstr(control->AccessibleDescription, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        const Control* control = nullptr;
        if (const HRESULT reached = Reach(child, role, control); FAILED(reached))
            return reached;
        role->vt = VT_I4;
        if (dynamic_cast<const CommandButton*>(control) != nullptr)
            role->lVal = ROLE_SYSTEM_PUSHBUTTON;
        else if (dynamic_cast<const Shape*>(control) != nullptr)
            role->lVal = ROLE_SYSTEM_GRAPHIC;
        else
            role->lVal = ROLE_SYSTEM_STATICTEXT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        const Control* control = nullptr;
        if (const HRESULT reached = Reach(child, state, control); FAILED(reached))
            return reached;
        LONG flags = 0;
        if (dynamic_cast<const CommandButton*>(control) != nullptr) {
            flags |= STATE_SYSTEM_FOCUSABLE;
            if (GetFocus() == window_)
                flags |= STATE_SYSTEM_FOCUSED;
        } else {
            flags |= STATE_SYSTEM_READONLY;
        }
        if (IsWindowEnabled(window_) == FALSE)
            flags |= STATE_SYSTEM_UNAVAILABLE;
        if (IsWindowVisible(window_) == FALSE)
            flags |= STATE_SYSTEM_INVISIBLE;
        state->vt = VT_I4;
        state->lVal = flags;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        const Control* control = nullptr;
        if (const HRESULT reached = Reach(child, action, control); FAILED(reached))
            return reached;
        if (dynamic_cast<const CommandButton*>(control) == nullptr)
            return standard_->get_accDefaultAction(child, action);
        return ToBstr("Press", action); // as the system's push buttons say
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        const Control* control = nullptr;
        if (const HRESULT reached = Reach(child, control); FAILED(reached))
            return reached;
        if (dynamic_cast<const CommandButton*>(control) == nullptr)
            return standard_->accDoDefaultAction(child);
        // A disabled button has no action to do, as a control without one.
        if (IsWindowEnabled(window_) == FALSE)
            return DISP_E_MEMBERNOTFOUND;
        // The click comes once the client has its answer: GO's runs a whole
        // play, which waits for the stop buttons, and a client held in this
        // call could press none of them.
        return PostMessageW(window_, BM_CLICK, 0, 0) != FALSE ? S_OK : HRESULT_FROM_WIN32(GetLastError());
    }

    // IAccessible: where the window is and the rest, as the system's
    // standard object tells.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override { return standard_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
    {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override
    {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override
    {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override
    {
        return standard_->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~AccessibleControl() { standard_->Release(); }

    const Control* Live() const { return AttachedControl(window_) == control_ ? control_ : nullptr; }
    // The control, when a request about `child` can be answered: it is
    // about the control itself, which still lives.
    HRESULT Reach(const VARIANT& child, const Control*& control) const
    {
        if (!IsSelf(child))
            return E_INVALIDARG;
        control = Live();
        return control == nullptr ? CO_E_OBJNOTCONNECTED : S_OK;
    }
    // The same for a question with its answer in `out`.
    template <typename Out>
    HRESULT Reach(const VARIANT& child, const Out* out, const Control*& control) const
    {
        return out == nullptr ? E_POINTER : Reach(child, control);
    }

    HWND window_;
    const Control* control_;
    IAccessible* standard_;
    std::atomic<ULONG> references_ { 1 };
};

} // namespace

void AttachControl(HWND window, const Control& control)
{
    // The property holds the address only; the form owns the control.
    SetPropW(window, kControlProperty, const_cast<Control*>(&control)); // NOLINT(cppcoreguidelines-pro-type-const-cast)
}

void DetachControl(HWND window)
{
    RemovePropW(window, kControlProperty);
}

const Control* AttachedControl(HWND window)
{
    return IsWindow(window) != FALSE ? static_cast<const Control*>(GetPropW(window, kControlProperty)) : nullptr;
}

LRESULT AnswerGetObject(HWND window, WPARAM flags, LPARAM objectId)
{
    // The id is a DWORD, sign-extended or not depending on who sent it.
    if (static_cast<DWORD>(objectId) != static_cast<DWORD>(OBJID_CLIENT))
        return 0;
    const Control* control = AttachedControl(window);
    if (control == nullptr)
        return 0;
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
            reinterpret_cast<void**>(&standard))))
        return 0;
    auto* object = new (std::nothrow) AccessibleControl(window, *control, standard);
    if (object == nullptr) {
        standard->Release();
        return 0;
    }
    const LRESULT result = LresultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(object));
    object->Release();
    return result;
}

void NotifyNameChanged(HWND window)
{
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

void NotifyDescriptionChanged(HWND window)
{
    NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace forms::win32
