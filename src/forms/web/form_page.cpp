// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "form_page.h"

#include "dom.h"

#include "forms/colors.h"
#include "forms/fonts.h"
#include "forms/geometry.h"

#include <array>
#include <cstdio>
#include <utility>

namespace forms::web {

namespace {

constexpr int kForm = -1; // the id that stands for the form
constexpr int kPage = -2; // and for the page, around the form and its message box

// The system colours that the page's style sheet uses, each by the CSS
// variable that holds it.
// clang-format off
constexpr std::array<std::pair<const char*, Color>, 8> kSchemeProperties { {
    { "--shadow", vbButtonShadow },
    { "--dark-shadow", vb3DDKShadow },
    { "--highlight", vb3DHighlight },
    { "--light", vb3DLight },
    { "--window", SystemColor(5) },
    { "--window-frame", SystemColor(6) },
    { "--window-text", vbWindowText },
    { "--button-face", SystemColor(15) },
} };
// clang-format on

// An explicit colour, or a system colour as the standard light scheme
// gives it: the page looks the same whatever the device's scheme.
Color Explicit(Color color)
{
    return IsSystemColor(color) ? StandardSchemeColor(color) : color;
}

std::string ToCss(Color color)
{
    const Color rgb = Explicit(color);
    std::array<char, 8> css {};
    std::snprintf(css.data(), css.size(), "#%02x%02x%02x", rgb & 0xFFu, (rgb >> 8) & 0xFFu, (rgb >> 16) & 0xFFu);
    return css.data();
}

// The CSS font-family for a design's face: the page's own face that stands
// for it (the face, or its look-alike), then the browser's sans-serif.
std::string FontFamily(std::string_view face)
{
    std::array<char, 64> own {};
    const auto ownFace = [&own](std::string_view name) {
        return forms_web_face(std::string(name).c_str(), own.data(), own.size()) != 0;
    };
    const std::string_view chosen = InstalledFace(face, ownFace);
    if (!ownFace(chosen))
        return "sans-serif";
    return "\"" + std::string(own.data()) + "\", sans-serif";
}

const char* AlignmentClass(TextAlign alignment)
{
    switch (alignment) {
    case TextAlign::RightJustify:
        return " right";
    case TextAlign::Center:
        return " center";
    case TextAlign::LeftJustify:
        break;
    }
    return " left";
}

// The CSS system colour that the browser's forced colours give for a
// system colour, where CSS has one.
const char* CssSystemColor(Color system)
{
    switch (system & 0xFFu) {
    case 4: // menu
    case 5: // window
        return "Canvas";
    case 7: // menu text
    case 8: // window text
        return "CanvasText";
    case 13:
        return "Highlight";
    case 14:
        return "HighlightText";
    case 15:
        return "ButtonFace";
    case 17:
        return "GrayText";
    case 18:
        return "ButtonText";
    default:
        return nullptr;
    }
}

// A system colour as the device's scheme gives it: the browser's forced
// colours where they are on, else the standard scheme, whatever light or
// dark mode the device prefers.
Color SchemeColor(Color system)
{
    const char* css = CssSystemColor(system);
    const int forced = css != nullptr ? forms_web_forced_color(css) : -1;
    return forced >= 0 ? static_cast<Color>(forced) : StandardSchemeColor(system);
}

std::string BackOf(const Shape& shape)
{
    return shape.Filled() ? ToCss(shape.BackColor) : "transparent";
}

void SetFont(int id, const StdFont* font)
{
    if (font == nullptr)
        return;
    forms_web_style(id, "font-family", FontFamily(font->Name).c_str());
    forms_web_style(id, "font-weight", std::to_string(font->Weight).c_str());
    if (font->Italic)
        forms_web_style(id, "font-style", "italic");
}

} // namespace

FormPage::FormPage(Form& form, Runtime& runtime)
    : FormView(form, runtime)
{
    const StdFont* font = form.Font;
    forms_web_create_form(kEventClick, kEventFocus, kEventView, kEventTab, kEventShiftTab, form.Caption.c_str(),
        ToCss(form.BackColor).c_str(), font != nullptr ? FontFamily(font->Name).c_str() : "sans-serif");
    for (Control* control : form.Controls()) {
        const int id = Create(*control);
        controls_.push_back(control);
        ids_.emplace(control, id);
    }
    Layout();
    Colour();
}

void FormPage::Colour()
{
    // The sunken frames' lines and the message box, in the scheme's colours.
    for (const auto& [property, system] : kSchemeProperties)
        forms_web_style(kPage, property, ToCss(SchemeColor(system)).c_str());
    for (Control* control : controls_) {
        const auto* label = dynamic_cast<const Label*>(control);
        if (label == nullptr)
            continue;
        forms_web_style(IdOf(*control), "color",
            ToCss(TextColor(label->ForeColor, label->BackColor, SchemeColor)).c_str());
    }
}

void FormPage::Layout()
{
    // Every edge on a device pixel, each rounded on its own as the runtime
    // rounds them, so that controls that meet in the design meet on the
    // screen at every density.
    const Form& form = ViewedForm();
    std::array<double, 4> view {};
    forms_web_view(view.data());
    const int dpi = PageDensity(view[0], view[1], view[2], view[3] != 0, TwipsToPixels(form.ClientWidth, kDesignDpi),
        TwipsToPixels(form.ClientHeight, kDesignDpi));
    forms_web_scale(dpi);
    const int line = LineWidth(dpi);
    const auto pixels = [dpi](const StdFont* font) {
        return FontPixels(font != nullptr ? font->Size : kDefaultFontSize, dpi);
    };
    forms_web_place(kForm, 0, 0, TwipsToPixels(form.ClientWidth, dpi), TwipsToPixels(form.ClientHeight, dpi), line,
        pixels(form.Font), 0);
    for (std::size_t id = 0; id < controls_.size(); ++id) {
        const Control& control = *controls_[id];
        const PixelRect box = PixelsOf(control, dpi);
        const auto* label = dynamic_cast<const Label*>(&control);
        forms_web_place(static_cast<int>(id), box.Left, box.Top, box.Width(), box.Height(), line,
            pixels(form.FontOf(control)), label != nullptr ? TextInset(*label, dpi) : 0);
    }
}

int FormPage::Create(Control& control)
{
    // A button is the page's own; a label and a shape are told of as a
    // group and an image.
    const auto add = [&](const char* role, const std::string& look, const std::string& text) {
        return forms_web_add(role, look.c_str(), text.c_str(), control.AccessibleName.Get().c_str(),
            control.AccessibleDescription.Get().c_str());
    };
    if (auto* label = dynamic_cast<Label*>(&control)) {
        const bool framed = label->BorderStyle == Border::FixedSingle;
        const int id = add("group", std::string("label") + (framed ? " sunken" : "") + AlignmentClass(label->Alignment),
            label->Caption.Get());
        forms_web_style(id, "background-color", ToCss(label->BackColor).c_str());
        SetFont(id, label->Font);
        return id;
    }
    if (auto* button = dynamic_cast<CommandButton*>(&control)) {
        const int id = add("button", "button", button->Caption.Get());
        forms_web_set_enabled(id, button->Enabled ? 1 : 0);
        SetFont(id, button->Font);
        return id;
    }
    auto& shape = dynamic_cast<Shape&>(control);
    const int id = add("img", shape.Round() ? "shape round" : "shape", "");
    forms_web_style(id, "--edge", ToCss(shape.BorderColor).c_str());
    forms_web_style(id, "background-color", BackOf(shape).c_str());
    return id;
}

void FormPage::Show()
{
    forms_web_show();
}

void FormPage::Handle(int kind, int id)
{
    if (kind == kEventView) {
        Layout();
        Colour();
        return;
    }
    if (kind == kEventTab || kind == kEventShiftTab) {
        Tab(kind == kEventTab);
        return;
    }
    if (id < 0 || static_cast<std::size_t>(id) >= controls_.size())
        return;
    Control& control = *controls_[static_cast<std::size_t>(id)];
    if (kind == kEventFocus)
        FocusTaken(control);
    else if (auto* button = dynamic_cast<CommandButton*>(&control); kind == kEventClick && button != nullptr)
        ViewedRuntime().Click(*button);
}

void FormPage::ShowCaption(TextControl& control)
{
    forms_web_set_text(IdOf(control), control.Caption.Get().c_str());
}

void FormPage::ShowEnabled(CommandButton& button)
{
    forms_web_set_enabled(IdOf(button), button.Enabled ? 1 : 0);
}

void FormPage::ShowBackColor(Shape& shape)
{
    forms_web_style(IdOf(shape), "background-color", BackOf(shape).c_str());
}

void FormPage::TellName(Control& control)
{
    forms_web_tell(IdOf(control), "aria-label", control.AccessibleName.Get().c_str());
}

void FormPage::TellDescription(Control& control)
{
    forms_web_tell(IdOf(control), "aria-description", control.AccessibleDescription.Get().c_str());
}

void FormPage::MoveFocus(CommandButton* button)
{
    forms_web_focus(button != nullptr ? IdOf(*button) : -1);
}

void FormPage::PostFocus(CommandButton& button)
{
    posted_.push_back(&button);
}

bool FormPage::RunPosted()
{
    if (posted_.empty())
        return false;
    CommandButton& button = *posted_.front();
    posted_.pop_front();
    FocusArrived(button);
    return true;
}

} // namespace forms::web
