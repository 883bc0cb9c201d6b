// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The forms runtime's own rules, which every backend follows: message boxes
// and the fatal report, where the keyboard focus goes and what assistive
// technology hears, twips to pixels at any density, the colours that stay
// legible, the faces that stand in for the design's, and the player's
// language.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "doctest.h"

#include "machine.h"

#include "forms/colors.h"
#include "forms/fonts.h"
#include "forms/geometry.h"
#include "forms/language.h"
#include "forms/view.h"

#include <array>
#include <map>
#include <set>

namespace {

// A view of a form that records, in order, what it is told to do.
struct RecordingView : forms::FormView {
    std::string done;
    std::vector<forms::CommandButton*> posted;
    RecordingView(forms::Form& form, forms::Runtime& runtime)
        : FormView(form, runtime)
    {
    }
    using FormView::FocusArrived;
    using FormView::FocusTaken;
    void Record(const std::string& what) { done += (done.empty() ? "" : " ") + what; }
    void ShowCaption(forms::TextControl& c) override { Record("caption " + c.Name); }
    void ShowEnabled(forms::CommandButton& b) override { Record((b.Enabled ? "enable " : "disable ") + b.Name); }
    void ShowBackColor(forms::Shape& s) override { Record("colour " + s.Name); }
    void TellName(forms::Control& c) override { Record("name " + c.Name); }
    void TellDescription(forms::Control& c) override { Record("description " + c.Name); }
    void Show() override { }
    void MoveFocus(forms::CommandButton* b) override { Record("focus " + (b != nullptr ? b->Name : std::string("form"))); }
    void PostFocus(forms::CommandButton& b) override { Record("post " + b.Name), posted.push_back(&b); }
};

} // namespace

TEST_CASE("message boxes: the styles a form may ask for, and the fatal report")
{
    using forms::MessageIcon;
    for (const auto& [style, title, icon] : { std::tuple { 0, "", MessageIcon::None }, { 16, "", MessageIcon::Critical }, { 32 + 4096, "", MessageIcon::Question }, { 48, "GameOver", MessageIcon::Exclamation }, { 64, "", MessageIcon::Information } }) {
        const forms::Message m = forms::MessageFor("Text", style, title, "Vantu");
        CHECK(Values(style, m.Title, m.Text, static_cast<int>(m.Icon)) == Values(style, *title != 0 ? title : "Vantu", "Text", static_cast<int>(icon)));
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
    frmMain& f = g.form;
    f.cmdGo.TabIndex = 0, f.cmdMid.TabIndex = f.cmdLeft.TabIndex; // by TabIndex, then in the form's order
    RecordingView view(f, g.runtime);
    CHECK(view.TabOrder() == std::vector<forms::CommandButton*> { &f.cmdGo, &f.cmdLeft, &f.cmdMid, &f.cmdRight });
    view.FocusFirstButton();
    f.cmdLeft.Enabled = true, f.cmdMid.Enabled = true, f.cmdRight.Enabled = true;
    f.cmdGo.Enabled = false; // the focus moves on before the button is disabled
    view.FocusTaken(f.cmdRight); // Tab
    f.cmdRight.Enabled = false; // round, past the disabled GO
    f.cmdLeft.Enabled = false;
    f.cmdMid.Enabled = false; // none left: the form
    f.cmdLeft.Enabled = true; // each posts the focus for when the event has been handled
    f.cmdGo.Enabled = true;
    f.cmdLeft.Enabled = false; // and the first still enabled and unfocused then takes it
    for (forms::CommandButton* posted : view.posted)
        view.FocusArrived(*posted);
    CHECK(view.done == "focus cmdGo enable cmdLeft enable cmdMid enable cmdRight focus cmdLeft disable cmdGo "
                       "focus cmdLeft disable cmdRight focus cmdMid disable cmdLeft focus form disable cmdMid "
                       "enable cmdLeft post cmdLeft enable cmdGo post cmdGo disable cmdLeft focus cmdGo");

    view.done.clear();
    for (const char* description : { "5 coins", "5 coins", "" })
        f.labCoins.AccessibleDescription = description;
    f.labCoins.AccessibleName = "Balance";
    f.labCoins.Caption = f.labCoins.Caption.Get(), f.labCoins.Caption = "5", f.cmdGo.Enabled = f.cmdGo.Enabled.Get();
    CHECK(view.done == "description labCoins description labCoins caption labCoins");

    // Tab and Shift+Tab: round the enabled buttons in tab order, from a
    // button or from a control that takes none.
    for (const auto& [row, enabled, from, forward, next] : { std::tuple<const char*, const char*, const forms::Control*, bool, std::string> { "on to the next enabled", "0101", &f.cmdLeft, true, "cmdRight" },
             { "round past the end and a disabled GO", "0101", &f.cmdRight, true, "cmdLeft" },
             { "back past a disabled button", "0101", &f.cmdRight, false, "cmdLeft" },
             { "back round the start", "0101", &f.cmdLeft, false, "cmdRight" },
             { "from a disabled button", "0101", &f.cmdMid, true, "cmdRight" },
             { "from a label, forward: the first", "0101", &f.labCoins, true, "cmdLeft" },
             { "from a label, back: the last", "0101", &f.labCoins, false, "cmdRight" },
             { "the only one: itself", "0100", &f.cmdLeft, true, "cmdLeft" },
             { "none enabled", "0000", &f.cmdLeft, true, "none" } }) {
        for (std::size_t b = 0; b < 4; ++b) view.TabOrder()[b]->Enabled = enabled[b] == '1'; // GO, left, middle, right
        const forms::CommandButton* got = view.NextButton(from, forward);
        CHECK(Values(row, got != nullptr ? got->Name : "none") == Values(row, next));
    }

    // Once the program has ended, a posted focus is dropped.
    g.runtime.Close();
    f.cmdLeft.Enabled = true;
    view.FocusArrived(f.cmdLeft);
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
    // A frame's line: one pixel at 96 dpi and below, the nearest whole
    // number above. A font: its points at dpi, to the nearest pixel.
    for (const auto& [dpi, line] : { std::pair { 72, 1 }, { 96, 1 }, { 143, 1 }, { 144, 2 }, { 239, 2 }, { 240, 3 } })
        CHECK(forms::LineWidth(dpi) == line);
    for (const auto& [points, dpi, pixels] : { std::tuple { 12.0, 96, 16 }, { 21.75, 96, 29 }, { 14.25, 96, 19 },
             { 8.25, 96, 11 }, { 12.0, 144, 24 }, { 21.75, 120, 36 }, { 14.25, 288, 57 } })
        CHECK(forms::FontPixels(points, dpi) == pixels);
    // A page's density for the form of 174 × 214 design pixels: a desktop's
    // is the browser's; a touch screen's fills the narrower way in whole
    // device pixels to the design pixel, never fewer than one.
    struct Screen {
        const char* row;
        double ratio, width, height;
        bool touch;
        int dpi;
    };
    for (const Screen& s : { Screen { "desktop 1.5x", 1.5, 400, 400, false, 144 }, { "desktop 1.25x, zoomed", 1.25, 80, 80, false, 120 },
             { "phone 3x, upright", 3, 390, 844, true, 576 }, { "phone 2x, turned", 2, 740, 360, true, 288 },
             { "phone, just wide enough for two", 1, 348, 428, true, 192 }, { "phone, one device pixel short of two", 1, 347, 1000, true, 96 }, { "smaller than the form", 1, 100, 100, true, 96 } })
        CHECK(Values(s.row, forms::PageDensity(s.ratio, s.width, s.height, s.touch, 174, 214)) == Values(s.row, s.dpi));
}

TEST_CASE("a system colour over a control's own background stays legible, whatever the desktop's scheme")
{
    const std::array<forms::Color, 4> rows[] = {
        // the text's colour, the scheme's for it, the background, the colour drawn
        { forms::vbWindowText, 0x000000, 0xC0C0FF, 0x000000 }, // the scheme's black on pink: kept
        { 0xFFFFE0, 0x000000, 0x800000, 0xFFFFE0 }, // a colour of the design's own: as it is
        { forms::vbWindowText, 0xFFFFFF, forms::SystemColor(15), 0xFFFFFF }, // over the scheme's own background: the scheme's
        { forms::vbWindowText, 0x800000, 0xFFFFFF, 0x800000 }, // navy on white: kept
        { forms::vbWindowText, 0xFFFFFF, 0xC0C0FF, 0x000000 }, // a dark scheme's white on pink: the standard black
        { forms::SystemColor(14), 0x000000, 0x800000, 0xFFFFFF }, // highlighted text on navy: the standard white
        { forms::SystemColor(17), 0x6D6D6D, 0x6D6D6D, 0xFFFFFF }, // grey on grey: white reads better than black
    };
    for (const auto& [fore, scheme, background, drawn] : rows)
        CHECK(forms::TextColor(fore, background, [given = scheme](forms::Color) { return given; }) == drawn);
    // The standard scheme's colours, as 0x00BBGGRR: the highlight's blue,
    // the tooltip's pale yellow, the button face; black for what is not one.
    for (const auto& [system, standard] : { std::pair { forms::SystemColor(13), 0xD77800u },
             { forms::SystemColor(24), 0xE1FFFFu }, { forms::SystemColor(15), 0xF0F0F0u },
             { forms::SystemColor(25), 0u }, { forms::Color { 0x0000FF }, 0u } })
        CHECK(forms::StandardSchemeColor(system) == standard);
    // Contrasts that WCAG 2's formula is published with: red, green and blue
    // on black, each channel's weight on its own; #767676 on white, the
    // curve between; white on black.
    for (const auto& [a, b, published] : { std::tuple<forms::Color, forms::Color, double> { 0x0000FF, 0, 5.25 }, { 0x00FF00, 0, 15.3 }, { 0xFF0000, 0, 2.44 }, { 0x767676, 0xFFFFFF, 4.54 }, { 0xFFFFFF, 0, 21 } })
        CHECK(forms::ContrastRatio(a, b) == doctest::Approx(published).epsilon(0.002));
}

TEST_CASE("the faces that stand in for the design's")
{
    const std::tuple<const char*, std::set<std::string_view>, const char*> rows[] = {
        // the design's face, those installed, the face drawn
        { "ＭＳ Ｐゴシック", { "ＭＳ Ｐゴシック", "MS PGothic" }, "ＭＳ Ｐゴシック" },
        { "ＭＳ Ｐゴシック", { "MS PGothic", "IPAPGothic" }, "MS PGothic" },
        { "MS PGothic", { "IPAPGothic", "Meiryo UI", "Tahoma" }, "Meiryo UI" },
        { "ＭＳ Ｐゴシック", { "Liberation Sans", "Tahoma" }, "Liberation Sans" },
        { "Arial", { "Tahoma" }, "Tahoma" },
        { "Courier", {}, "Courier" },
    };
    for (const auto& [face, installed, drawn] : rows) {
        const std::set<std::string_view>& faces = installed; // clang 14 lets no lambda capture a structured binding
        CHECK(forms::InstalledFace(face, [&faces](std::string_view f) { return faces.count(f) != 0; }) == drawn);
    }
}

TEST_CASE("the player's language: which catalogue, and each text sound or English")
{
    using namespace std::string_view_literals;
    // A language with three plural forms, and texts that a translator got
    // right and wrong, in the byte order of their keys.
    static constexpr std::array<forms::CatalogueEntry, 9> kEntries { {
        { "%1$s coin", "%1$s kolik\0%1$s koliky\0%1$s kolika"sv },
        { "%1$s of %2$s", "%2$s: %1$s" },
        { "%1$s pair", "%1$s par\0%1$s pary"sv }, // a form short
        { "Balance", "Zustatek" },
        { "Drop %1$s", "Pustit %s" }, // unnumbered
        { "Lit", "Sviti\0Svitily"sv }, // plural forms for a text with none
        { "Stop", "" }, // empty
        { "Win %1$s", "Vyhra %2$s" }, // another argument
        { "lamp\4lit", "sviti" },
    } };
    const forms::Catalogue xx { "cs", [](std::uint64_t n) -> std::uint64_t { return n == 1 ? 0 : (n >= 2 && n <= 4 ? 1 : 2); }, kEntries }; // Czech's plural rule: 1, 2 to 4, else
    std::vector<forms::Catalogue> all { xx };
    for (const char* language : { "pt", "pt_BR", "sr@latin", "zh_CN", "zh_TW" })
        all.push_back({ language, xx.Plural, {} });

    const std::tuple<std::vector<std::string>, const char*> choices[] = {
        // the player's languages, most preferred first; the catalogue chosen ("" for English)
        { { "cs_CZ.UTF-8" }, "cs" },
        { { "cs-CZ" }, "cs" },
        { { "fi_FI.UTF-8" }, "" },
        { { "fi", "pt_PT", "cs" }, "pt" },
        { { "pt-BR" }, "pt_BR" },
        { { "en_GB", "cs" }, "" },
        { { "sr_RS.UTF-8@latin" }, "sr@latin" },
        { { "sr_RS" }, "" },
        { { "SR-latn-rs" }, "sr@latin" },
        { { "PT-br" }, "pt_BR" },
        { { "pt_br.utf8" }, "pt_BR" },
        { { "pt-x-br" }, "pt" },
        { { "zh" }, "zh_CN" },
        { { "zh-SG" }, "zh_CN" },
        { { "zh-Hans-TW" }, "zh_CN" },
        { { "zh-Hant" }, "zh_TW" },
        { { "zh-HK" }, "zh_TW" },
        { { "zh_MO.UTF-8" }, "zh_TW" },
        { { "zh-hant-hk" }, "zh_TW" },
        { std::vector<std::string> {}, "" },
    };
    for (const auto& [preferred, chosen] : choices) {
        const std::string first = preferred.empty() ? "none" : preferred.front();
        const forms::Catalogue* c = forms::ChooseCatalogue(all, preferred);
        CHECK(Values(first, c == nullptr ? "" : c->Language) == Values(first, chosen));
    }

    const std::tuple<std::map<std::string, std::string>, std::vector<std::string>> environments[] = {
        // LANGUAGE, LC_ALL, LC_MESSAGES and LANG as set; the languages gettext takes
        { { { "LANG", "ja_JP.UTF-8" } }, { "ja_JP.UTF-8" } },
        { { { "LANGUAGE", "de:fr" }, { "LANG", "ja_JP.UTF-8" } }, { "de", "fr" } },
        { { { "LANGUAGE", "::de::" }, { "LC_MESSAGES", "es_ES" } }, { "de" } },
        { { { "LC_ALL", "fr_FR" }, { "LC_MESSAGES", "es_ES" }, { "LANG", "ja_JP" } }, { "fr_FR" } },
        { { { "LC_ALL", "" }, { "LC_MESSAGES", "es_ES" }, { "LANG", "ja_JP" } }, { "es_ES" } },
        { { { "LANGUAGE", "de" }, { "LANG", "C" } }, {} },
        { { { "LANGUAGE", "de" }, { "LC_ALL", "C.UTF-8" } }, { "de" } },
        { { { "LANG", "C.UTF-8" } }, {} },
        { { { "LANGUAGE", "de" }, { "LANG", "POSIX" } }, {} },
        { { { "LANGUAGE", "de" } }, {} },
    };
    for (const auto& [set, languages] : environments) {
        const std::map<std::string, std::string>& variables = set; // clang 14 lets no lambda capture a structured binding
        const auto value = [&variables](const char* name) { const auto found = variables.find(name); return found == variables.end() ? nullptr : found->second.c_str(); };
        CHECK(forms::PosixLanguages(value) == languages);
    }

    struct Restore {
        ~Restore() { forms::UseCatalogue(nullptr); }
    } restore;
    forms::UseCatalogue(&xx);
    const std::tuple<const char*, std::string, const char*> texts[] = {
        // what is asked for, what the player gets
        { "a translation", forms::Tr("Balance"), "Zustatek" },
        { "none in the catalogue", forms::Tr("Credit"), "Credit" },
        { "empty", forms::Tr("Stop"), "Stop" },
        { "the arguments in the language's order", forms::Format(forms::Tr("%1$s of %2$s"), { "3", "5" }), "5: 3" },
        { "an unnumbered argument", forms::Format(forms::Tr("Drop %1$s"), { "7" }), "Drop 7" },
        { "another argument", forms::Format(forms::Tr("Win %1$s"), { "7" }), "Win 7" },
        { "plural forms for a text without", forms::Tr("Lit"), "Lit" },
        { "a text in its context", forms::TrCtx("lamp", "lit"), "sviti" },
        { "no such context", forms::TrCtx("button", "lit"), "lit" },
        { "form 0 of 3", forms::Format(forms::TrN("%1$s coin", "%1$s coins", 1), { "1" }), "1 kolik" },
        { "form 1 of 3", forms::Format(forms::TrN("%1$s coin", "%1$s coins", 4), { "4" }), "4 koliky" },
        { "form 2 of 3", forms::Format(forms::TrN("%1$s coin", "%1$s coins", 0), { "0" }), "0 kolika" },
        { "a million and one, by the whole count", forms::Format(forms::TrN("%1$s coin", "%1$s coins", 1'000'001), { "n" }), "n kolika" },
        { "past 32 bits, by the whole count", forms::Format(forms::TrN("%1$s coin", "%1$s coins", 4'294'967'297ULL), { "n" }), "n kolika" },
        { "a form the catalogue lacks", forms::Format(forms::TrN("%1$s pair", "%1$s pairs", 5), { "5" }), "5 pairs" },
        { "a form it has", forms::Format(forms::TrN("%1$s pair", "%1$s pairs", 2), { "2" }), "2 pary" },
        { "%% and arguments past those given", forms::Format("100%% %2$s %1$s %3$s %", { "a", "b" }), "100% b a %3$s %" },
    };
    for (const auto& [row, got, expected] : texts)
        CHECK(Values(row, got) == Values(row, expected));
    forms::UseCatalogue(nullptr);
    CHECK(forms::Format(forms::TrN("%1$s coin", "%1$s coins", 1), { "1" }) + forms::Tr("Balance") == "1 coinBalance");
}
