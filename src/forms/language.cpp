// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "language.h"

#include <algorithm>
#include <bitset>
#include <optional>

namespace forms {

namespace {

const Catalogue* g_catalogue = nullptr;

// The arguments that a text uses (bit k for %k$s), or nothing when it has a
// '%' that is neither %% nor %1$s to %9$s.
std::optional<std::bitset<10>> ArgumentsOf(std::string_view text)
{
    std::bitset<10> used;
    for (std::size_t at = text.find('%'); at != std::string_view::npos; at = text.find('%', at)) {
        const std::string_view rest = text.substr(at + 1);
        if (rest.starts_with('%')) {
            at += 2;
        } else if (rest.size() >= 3 && rest[0] >= '1' && rest[0] <= '9' && rest.substr(1, 2) == "$s") {
            used.set(static_cast<std::size_t>(rest[0] - '0'));
            at += 4;
        } else {
            return std::nullopt;
        }
    }
    return used;
}

// The translation of key in the catalogue in use (of a text with plural
// forms, the form for n) when it is sound: else the English.
std::string Translate(const std::string& key, std::string_view english, std::optional<unsigned long> n)
{
    if (g_catalogue == nullptr)
        return std::string(english);
    const auto entries = g_catalogue->Entries;
    const auto found = std::lower_bound(entries.begin(), entries.end(), key,
        [](const CatalogueEntry& entry, const std::string& k) { return entry.Key < k; });
    if (found == entries.end() || found->Key != key)
        return std::string(english);

    std::vector<std::string_view> forms;
    for (std::string_view rest = found->Forms;;) {
        const std::size_t end = rest.find('\0');
        forms.push_back(rest.substr(0, end));
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    const unsigned long index = n.has_value() ? g_catalogue->Plural(*n) : 0;
    if (index >= forms.size() || (!n.has_value() && forms.size() != 1))
        return std::string(english);
    const std::string_view chosen = forms[index];
    const auto wanted = ArgumentsOf(english);
    if (chosen.empty() || !wanted.has_value() || ArgumentsOf(chosen) != wanted)
        return std::string(english);
    return std::string(chosen);
}

// "ja_JP.UTF-8" → "ja_JP", "de-DE" → "de_DE": the name without its code set,
// with '_' between language and region.
std::string Normalized(std::string_view name)
{
    std::string result;
    for (std::size_t k = 0; k < name.size(); ++k) {
        const char c = name[k];
        if (c == '.') {
            // The code set ends at the modifier, if there is one.
            const std::size_t modifier = name.find('@', k);
            if (modifier == std::string_view::npos)
                break;
            k = modifier - 1;
        } else {
            result += c == '-' ? '_' : c;
        }
    }
    return result;
}

bool IsEnglish(std::string_view name)
{
    return name == "en" || name.starts_with("en_") || name.starts_with("en@");
}

} // namespace

const Catalogue* ChooseCatalogue(std::span<const Catalogue> catalogues, std::span<const std::string> preferred)
{
    for (const std::string& name : preferred) {
        const std::string wanted = Normalized(name);
        if (IsEnglish(wanted))
            return nullptr;
        // "sr_RS@latin", then "sr@latin", "sr_RS" and "sr".
        const std::size_t at = wanted.find('@');
        const std::string modifier = at == std::string::npos ? "" : wanted.substr(at);
        const std::string locale = wanted.substr(0, at);
        const std::string language = locale.substr(0, locale.find('_'));
        for (const std::string& candidate : { wanted, language + modifier, locale, language }) {
            const auto found = std::find_if(catalogues.begin(), catalogues.end(),
                [&](const Catalogue& c) { return c.Language == candidate; });
            if (!candidate.empty() && found != catalogues.end())
                return &*found;
        }
    }
    return nullptr;
}

std::vector<std::string> LanguageList(std::string_view list, char separator)
{
    std::vector<std::string> languages;
    while (!list.empty()) {
        const std::size_t end = std::min(list.find(separator), list.size());
        if (end > 0)
            languages.emplace_back(list.substr(0, end));
        list.remove_prefix(std::min(end + 1, list.size()));
    }
    return languages;
}

std::vector<std::string> PosixLanguages(const std::function<const char*(const char*)>& environment)
{
    const auto value = [&](const char* name) {
        const char* text = environment(name);
        return std::string(text == nullptr ? "" : text);
    };
    std::string locale = value("LC_ALL");
    if (locale.empty())
        locale = value("LC_MESSAGES");
    if (locale.empty())
        locale = value("LANG");
    if (locale.empty() || locale == "C" || locale == "POSIX" || locale.starts_with("C."))
        return {};
    std::vector<std::string> languages = LanguageList(value("LANGUAGE"), ':');
    if (languages.empty())
        languages.push_back(locale);
    return languages;
}

void UseCatalogue(const Catalogue* catalogue)
{
    g_catalogue = catalogue;
}

std::string Tr(std::string_view text)
{
    return Translate(std::string(text), text, std::nullopt);
}

std::string TrCtx(std::string_view context, std::string_view text)
{
    return Translate(std::string(context) + '\4' + std::string(text), text, std::nullopt);
}

std::string TrN(std::string_view singular, std::string_view plural, std::uint64_t n)
{
    // gettext's rules take an unsigned long: beyond it, only the last
    // digits decide, as they do in every language's rule.
    const auto rule = static_cast<unsigned long>(n % 1000000U);
    const std::string_view english = n == 1 ? singular : plural;
    if (g_catalogue == nullptr || ArgumentsOf(singular) != ArgumentsOf(plural))
        return std::string(english);
    return Translate(std::string(singular), english, rule);
}

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> arguments)
{
    std::string result;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        const std::string_view rest = pattern.substr(at);
        if (rest.starts_with("%%")) {
            result += '%';
            ++at;
        } else if (rest.size() >= 4 && rest[0] == '%' && rest[1] >= '1' && rest[1] <= '9' && rest.substr(2, 2) == "$s"
            && static_cast<std::size_t>(rest[1] - '1') < arguments.size()) {
            result += *(arguments.begin() + (rest[1] - '1'));
            at += 3;
        } else {
            result += pattern[at];
        }
    }
    return result;
}

} // namespace forms
