// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "controls.h"

#include "language.h"

namespace forms {

void Control::Apply(const ControlDesign& design)
{
    Left = design.Left;
    Top = design.Top;
    Width = design.Width;
    Height = design.Height;
    TabIndex = design.TabIndex;
    // The design's names and descriptions are English: the player hears
    // them in the language of the catalogue in use.
    AccessibleName = Tr(design.AccessibleName);
    AccessibleDescription = Tr(design.AccessibleDescription);
}

void TextControl::Apply(const ControlDesign& design)
{
    Control::Apply(design);
    Caption = std::string(design.Caption);
    if (design.Look != nullptr)
        Font = design.Look->Font;
}

void Label::Apply(const ControlDesign& design)
{
    TextControl::Apply(design);
    if (design.Look != nullptr) {
        BackColor = design.Look->BackColor;
        ForeColor = design.Look->ForeColor;
        BorderStyle = design.Look->BorderStyle;
        Alignment = design.Look->Alignment;
    }
}

void CommandButton::Apply(const ControlDesign& design)
{
    TextControl::Apply(design);
    Enabled = design.Enabled;
}

void Shape::Apply(const ControlDesign& design)
{
    Control::Apply(design);
    if (design.Look != nullptr) {
        BackColor = design.Look->BackColor;
        BackStyle = design.Look->BackStyle;
        Kind = design.Look->Kind;
        BorderColor = design.Look->ForeColor;
    }
}

} // namespace forms
