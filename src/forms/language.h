// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// The texts that a program adds around its form (what a screen reader hears
// above all) in the player's language. Each language's catalogue is built
// into the program from po/LANG.po, so the program reads no file for it.
//
// The code writes each text in English, as gettext's tools expect, so that
// xgettext finds it: Tr("..."), TrCtx("context", "..."), TrN("...", "...",
// n), and TrLater("...") or TrCtxLater("context", "...") for a text that a
// table holds and that is looked up where it is used. A text with arguments numbers them, %1$s to %9$s, so
// that a language puts them in the order it needs (Format).
//
// A text that the catalogue lacks, or whose translation is broken (empty,
// other arguments than the English, a plural form the catalogue does not
// have), stays English: for that text alone.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace forms {

struct CatalogueEntry {
    // The English text; after its context and "\4" when it has one.
    std::string_view Key;
    // Its translation; of a text with plural forms, each form in the
    // language's order, separated by '\0'.
    std::string_view Forms;
};

struct Catalogue {
    std::string_view Language; // as gettext names it: "ja", "de", "pt_BR"
    // The index of the plural form for n, the po file's Plural-Forms rule,
    // for any count (not only those of C's unsigned long).
    std::uint64_t (*Plural)(std::uint64_t n);
    std::span<const CatalogueEntry> Entries; // in the byte order of Key
};

// Of the languages that the player prefers, most preferred first, the
// catalogue of the first one that has one, or null when English comes
// first or none has one. The names may be as a system or a browser gives
// them, in any case: POSIX's "ja_JP.UTF-8", "sr_RS@latin", Windows' and
// BCP 47's "de-DE", "pt-br", "sr-Latn", "zh-Hant-HK". A name finds its
// catalogue as gettext would ("sr_RS@latin", "sr@latin", "sr_RS", "sr"),
// with a BCP 47 script as gettext writes it ("sr-Latn" is "sr@latin");
// failing that, Chinese finds the catalogue of its script, which the
// region implies where the name gives none: "zh-Hant", "zh-TW", "zh-HK"
// and "zh-MO" read zh_TW, the others zh_CN.
const Catalogue* ChooseCatalogue(std::span<const Catalogue> catalogues, std::span<const std::string> preferred);

// The names in a list of languages ("ja:de", "ja-JP,en"), empty ones left
// out.
std::vector<std::string> LanguageList(std::string_view list, char separator);

// The languages that gettext takes on a POSIX system, most preferred first:
// LANGUAGE's list, else the locale (LC_ALL, else LC_MESSAGES, else LANG);
// none when the locale is unset, "C" or "POSIX", which mean English, as
// glibc's gettext takes them ("C.UTF-8" honours LANGUAGE).
std::vector<std::string> PosixLanguages(const std::function<const char*(const char*)>& environment);

// The catalogue that the texts come from from here on; null for English.
void UseCatalogue(const Catalogue* catalogue);

std::string Tr(std::string_view text);
std::string TrCtx(std::string_view context, std::string_view text);
std::string TrN(std::string_view singular, std::string_view plural, std::uint64_t n);
constexpr std::string_view TrLater(std::string_view text)
{
    return text;
}
constexpr std::string_view TrCtxLater(std::string_view /*context*/, std::string_view text)
{
    return text;
}

// The pattern with %1$s to %9$s replaced by the arguments, in any order,
// and %% by %.
std::string Format(std::string_view pattern, std::initializer_list<std::string_view> arguments);

} // namespace forms
