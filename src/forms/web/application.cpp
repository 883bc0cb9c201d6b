// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "form_page.h"
#include "web_platform.h"

#include "forms/program.h"

namespace forms {

// The program runs from the page's load to its end; the tab closing simply
// ends it, and nothing is kept.
int RunProgram(int, char**, const ProgramInfo& info, const FormFactory& createForm)
{
    web::WebPlatform platform;
    return RunForm<web::FormPage>(platform, info, createForm);
}

} // namespace forms
