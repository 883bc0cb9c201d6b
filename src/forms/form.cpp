// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "form.h"

#include <algorithm>
#include <stdexcept>

namespace forms {

Control* Form::FindControl(std::string_view name, int index) const
{
    const auto found = std::find_if(controls_.begin(), controls_.end(),
        [&](const Control* c) { return c->Name == name && c->Index == index; });
    return found == controls_.end() ? nullptr : *found;
}

const StdFont* Form::FontOf(const Control& control) const
{
    const auto* text = dynamic_cast<const TextControl*>(&control);
    if (text == nullptr)
        return nullptr;
    return text->Font != nullptr ? text->Font : Font;
}

void Form::ApplyDesign(const FormDesign& form, std::span<const ControlDesign> controls)
{
    Caption = std::string(form.Caption);
    ClientWidth = form.ClientWidth;
    ClientHeight = form.ClientHeight;
    BackColor = form.BackColor;
    Font = form.Font;
    Icon = form.Icon;

    std::vector<const Control*> designed;
    for (const ControlDesign& row : controls) {
        Control* control = FindControl(row.Name, row.Index);
        const std::string where = std::string(row.Name) + "(" + std::to_string(row.Index) + ")";
        if (control == nullptr)
            throw std::logic_error("the design names no control of this form: " + where);
        if (std::find(designed.begin(), designed.end(), control) != designed.end())
            throw std::logic_error("the design names a control twice: " + where);
        control->Apply(row);
        designed.push_back(control);
    }
    if (designed.size() != controls_.size())
        throw std::logic_error("the design leaves controls of this form without a row");
}

} // namespace forms
