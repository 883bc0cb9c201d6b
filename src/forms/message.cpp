// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "message.h"

namespace forms {

Message MessageFor(const std::string& prompt, int style, const std::string& title, const std::string& programName)
{
    if ((style & 0x0F) != vbOKOnly)
        Raise(ErrorNumber::InvalidProcedureCall);
    MessageIcon icon = MessageIcon::None;
    switch (style & 0x70) {
    case 0:
        break;
    case vbCritical:
        icon = MessageIcon::Critical;
        break;
    case vbQuestion:
        icon = MessageIcon::Question;
        break;
    case vbExclamation:
        icon = MessageIcon::Exclamation;
        break;
    case vbInformation:
        icon = MessageIcon::Information;
        break;
    default:
        Raise(ErrorNumber::InvalidProcedureCall);
    }
    return { title.empty() ? programName : title, prompt, icon };
}

Message FatalReport(const RuntimeError& error, const std::string& programName)
{
    return { programName, "Run-time error '" + std::to_string(error.Number()) + "':\n\n" + error.Description(),
        MessageIcon::Critical };
}

} // namespace forms
