// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "runtime.h"

#include "form.h"

#include <new>

namespace forms {

void Runtime::Load(Form& form)
{
    form_ = &form;
    RaiseEvent([&form] { form.Form_Load(); });
}

void Runtime::Click(CommandButton& button)
{
    if (button.Enabled && button.Click)
        RaiseEvent(button.Click);
}

void Runtime::Close()
{
    if (!Ended())
        Finish(0);
}

int Runtime::MsgBox(const std::string& prompt, int style, const std::string& title)
{
    platform_.ShowMessage(MessageFor(prompt, style, title, programName_));
    return vbOK;
}

void Runtime::End()
{
    Finish(0);
    throw Ending {};
}

void Runtime::DoEvents()
{
    platform_.DoEvents();
    if (Ended())
        throw Ending {};
}

void Runtime::AtRest()
{
    if (form_ != nullptr)
        form_->ControlsAtRest();
}

void Runtime::Unwound(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const Ending&) {
        return; // the ending is already recorded
    } catch (const RuntimeError& e) {
        Fatal(e);
    } catch (const std::bad_alloc&) {
        Fatal(RuntimeError(ErrorNumber::OutOfMemory));
    } catch (const std::exception& e) {
        Fatal(RuntimeError(ErrorNumber::InternalError, e.what()));
    } catch (...) {
        Fatal(RuntimeError(ErrorNumber::InternalError));
    }
}

void Runtime::Fatal(const RuntimeError& error)
{
    platform_.ShowFatal(FatalReport(error, programName_));
    Finish(1);
}

void Runtime::Finish(int exitStatus)
{
    if (Ended())
        return;
    exitStatus_ = exitStatus;
    platform_.Quit(exitStatus);
}

} // namespace forms
