// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The forms runtime's own rules, which every backend follows: message boxes
// and the fatal report, where the keyboard focus goes and what assistive
// technology hears, twips to pixels at any density, the faces that stand in
// for the design's, random numbers.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "doctest.h"

#include "machine.h"

#include "forms/colors.h"
#include "forms/fonts.h"
#include "forms/geometry.h"
#include "forms/view.h"

#include <set>

namespace {

// A form of four buttons and a label, and a view that records, in order,
// what it is told to do.
struct Buttons : forms::Form {
    forms::CommandButton a, b, c, d;
    forms::Label label;
    explicit Buttons(forms::Runtime& runtime) : Form(runtime)
    {
        // Tab order b, a, c, d: by TabIndex, and in the form's order where two share one.
        for (auto [button, name, tabIndex] : { std::tuple { &a, "a", 1 }, { &b, "b", 0 }, { &c, "c", 1 }, { &d, "d", 2 } }) {
            button->Name = name, button->TabIndex = tabIndex, button->Enabled = true;
            Register(*button);
        }
        label.Name = "label";
        Register(label);
    }
};

struct RecordingView : forms::FormView {
    std::string done;
    std::vector<forms::CommandButton*> posted;
    RecordingView(forms::Form& form, forms::Runtime& runtime) : FormView(form, runtime) { }
    using FormView::FocusArrived;
    using FormView::FocusTaken;
    void Record(const std::string& what) { done += (done.empty() ? "" : " ") + what; }
    void ShowCaption(forms::Control& c) override { Record("caption " + c.Name); }
    void ShowEnabled(forms::CommandButton& b) override { Record((b.Enabled ? "enable " : "disable ") + b.Name); }
    void ShowBackColor(forms::Shape& s) override { Record("colour " + s.Name); }
    void TellName(forms::Control& c) override { Record("name " + c.Name); }
    void TellDescription(forms::Control& c) override { Record("description " + c.Name); }
    void MoveFocus(forms::CommandButton* b) override { Record("focus " + (b != nullptr ? b->Name : std::string("form"))); }
    void PostFocus(forms::CommandButton& b) override { Record("post " + b.Name); posted.push_back(&b); }
};

} // namespace

TEST_CASE("message boxes: the styles a form may ask for, and the fatal report")
{
    using forms::MessageIcon;
    const struct { int style; const char* title; MessageIcon icon; } shown[] = { { 0, "", MessageIcon::None },
        { 16, "", MessageIcon::Critical }, { 32 + 4096, "", MessageIcon::Question },
        { 48, "GameOver", MessageIcon::Exclamation }, { 64, "", MessageIcon::Information } };
    for (const auto& row : shown) {
        const forms::Message m = forms::MessageFor("Text", row.style, row.title, "Vantu");
        CHECK((m.Title == (*row.title != 0 ? row.title : "Vantu") && m.Text == "Text" && m.Icon == row.icon));
    }
    for (const int refused : { 1, 4, 5, 0x50, 0x70, 48 + 1 }) {
        CAPTURE(refused);
        CHECK_THROWS_WITH(forms::MessageFor("Text", refused, "", "Vantu"), "Invalid procedure call or argument");
    }
    // A refused style is the program's fatal error, reported as such.
    Machine g;
    g.runtime.RaiseEvent([&g] { g.runtime.MsgBox("?", 4, "Quiz"); });
    CHECK(g.platform.boxes == std::vector<std::string> { "Vantu|Run-time error '5':\n\nInvalid procedure call or argument|1" });
    CHECK(g.platform.quitStatus == 1);
}

TEST_CASE("the keyboard focus among the buttons, and what assistive technology hears")
{
    Machine g;
    Buttons form(g.runtime);
    RecordingView view(form, g.runtime);
    CHECK(view.TabOrder() == std::vector<forms::CommandButton*> { &form.b, &form.a, &form.c, &form.d });
    form.b.Enabled = false;
    view.FocusFirstButton();
    form.c.Enabled = false;
    view.FocusTaken(form.d); // Tab
    form.d.Enabled = false; // on, wrapping round, past the disabled b
    form.a.Enabled = false; // none left: the form
    form.c.Enabled = true; // takes the focus once the event is handled, if still enabled and none has it
    form.d.Enabled = true;
    form.c.Enabled = false;
    for (forms::CommandButton* posted : view.posted)
        view.FocusArrived(*posted);
    CHECK(view.done == "disable b focus a disable c focus a disable d focus form disable a enable c post c enable d post d disable c focus d");
    CHECK(view.Focus() == &form.d);

    view.done.clear();
    form.label.AccessibleName = "Balance";
    form.label.AccessibleName = "Balance";
    form.label.AccessibleDescription = "";
    form.label.AccessibleDescription = "5 coins";
    form.label.Caption = "5";
    form.label.Caption = "5";
    CHECK(view.done == "name label description label caption label caption label");

    // Once the program has ended, a posted focus is dropped.
    form.d.Enabled = false;
    form.a.Enabled = true;
    g.runtime.Close();
    view.FocusArrived(form.a);
    CHECK(view.Focus() == nullptr);
}

TEST_CASE("twips to pixels: every edge on its own, rounded half up, at any density")
{
    for (const int dpi : { 72, 96, 120, 144, 168, 192, 240, 288 }) {
        for (int twips = -3000; twips <= 3000; ++twips) {
            const long long pixels = forms::TwipsToPixels(twips, dpi), twice = 2LL * twips * dpi;
            if (!(1440 * (2 * pixels - 1) <= twice && twice < 1440 * (2 * pixels + 1)))
                FAIL("twips " << twips << " at " << dpi << " dpi gave " << pixels << " pixels");
        }
    }
    // Controls that meet in twips meet in pixels, also at an edge that falls
    // between two pixels.
    Machine g;
    forms::Label &left = g.form.labLeft(0), &right = g.form.labMid(0);
    std::tie(left.Left, left.Width, right.Left, right.Width) = std::tuple(10, 23, 33, 22);
    CHECK(forms::PixelsOf(left, 96).Right == forms::PixelsOf(right, 96).Left);
}

TEST_CASE("a system colour over a control's own background stays legible, whatever the desktop's scheme")
{
    const struct { forms::Color system, scheme, background, drawn; } rows[] = {
        { forms::vbWindowText, 0x000000, 0xC0C0FF, 0x000000 }, // the scheme's black on pink: kept
        { forms::vbWindowText, 0x800000, 0xFFFFFF, 0x800000 }, // navy on white: kept
        { forms::vbWindowText, 0xFFFFFF, 0xC0C0FF, 0x000000 }, // a dark scheme's white on pink: the standard black
        { forms::SystemColor(14), 0x000000, 0x800000, 0xFFFFFF }, // highlighted text on navy: the standard white
        { forms::SystemColor(17), 0x6D6D6D, 0x6D6D6D, 0xFFFFFF }, // grey on grey: white reads better than black
    };
    for (const auto& row : rows)
        CHECK(forms::LegibleSystemColor(row.system, row.scheme, row.background) == row.drawn);
}

TEST_CASE("the faces that stand in for the design's")
{
    const struct { const char* face; std::set<std::string_view> installed; const char* drawn; } rows[] = {
        { "ＭＳ Ｐゴシック", { "ＭＳ Ｐゴシック", "MS PGothic" }, "ＭＳ Ｐゴシック" },
        { "ＭＳ Ｐゴシック", { "MS PGothic", "IPAPGothic" }, "MS PGothic" },
        { "ＭＳ Ｐゴシック", { "IPAPGothic", "Noto Sans CJK JP", "Tahoma" }, "IPAPGothic" },
        { "MS PGothic", { "Yu Gothic UI", "Meiryo UI" }, "Meiryo UI" },
        { "ＭＳ Ｐゴシック", { "Liberation Sans", "Tahoma" }, "Liberation Sans" },
        { "Arial", { "Segoe UI", "Liberation Sans" }, "Liberation Sans" },
        { "Arial", { "Tahoma" }, "Tahoma" },
        { "Courier", {}, "Courier" },
    };
    for (const auto& row : rows)
        CHECK(forms::InstalledFace(row.face, [&row](std::string_view f) { return row.installed.count(f) != 0; }) == row.drawn);
}

TEST_CASE("random numbers: in [0, 1), and two seeds from the clock differ")
{
    forms::RandomSource a, b;
    a.SeedFromClock();
    b.SeedFromClock();
    bool same = true;
    for (int i = 0; i < 100000; ++i) {
        const double x = a.Next();
        REQUIRE((x >= 0.0 && x < 1.0));
        same = same && x == b.Next();
    }
    CHECK(!same);
}
