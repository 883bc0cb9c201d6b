// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The characters that each face of the game's window draws, for the page's
// font subsets: in each control's face its captions as designed, in the
// reel cells' face every symbol of the strips, and in the counter's every
// digit. One line a face: its name, its weight and its characters, with a
// tab between. Written to the file named first, or to standard output.

#include "window/frmMain.h"

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <utility>

namespace {

// A platform on which the form loads and nothing runs.
struct Still : forms::Platform {
    void DoEvents() override { }
    void ShowMessage(const forms::Message&) override { }
    void Quit(int) override { }
};

// The characters of a UTF-8 text, each whole.
std::set<std::string> Characters(const std::string& text)
{
    std::set<std::string> found;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = at + 1;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0u) == 0x80u)
            ++end;
        found.insert(text.substr(at, end - at));
        at = end;
    }
    return found;
}

} // namespace

int main(int argc, char** argv)
{
    Still platform;
    forms::Runtime runtime(platform, "Vantu");
    frmMain form(runtime);
    runtime.Load(form); // the strips are the load's

    std::map<std::pair<std::string, int>, std::set<std::string>> faces;
    const auto draws = [&](const forms::Control& control, const std::string& text) {
        if (const forms::StdFont* font = form.FontOf(control))
            faces[{ std::string(font->Name), font->Weight }].merge(Characters(text));
    };
    for (const forms::Control* control : form.Controls()) {
        if (const auto* text = dynamic_cast<const forms::TextControl*>(control))
            draws(*text, text->Caption);
    }
    for (int r = 1; r <= 3; ++r) {
        for (int i = 1; i <= 10; ++i)
            draws(form.labLeft(0), form.ReelStrip(forms::Integer(r), forms::Integer(i)));
    }
    draws(form.labCoins, "0123456789");

    std::FILE* out = argc > 1 ? std::fopen(argv[1], "w") : stdout;
    if (out == nullptr)
        return 1;
    for (const auto& [face, characters] : faces) {
        std::fprintf(out, "%s\t%d\t", face.first.c_str(), face.second);
        for (const std::string& character : characters)
            std::fputs(character.c_str(), out);
        std::fputc('\n', out);
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
