// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "language.h"

#include <algorithm>
#include <array>
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
std::string Translate(const std::string& key, std::string_view english, std::optional<std::uint64_t> n)
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
    const std::uint64_t index = n.has_value() ? g_catalogue->Plural(*n) : 0;
    if (index >= forms.size() || (!n.has_value() && forms.size() != 1))
        return std::string(english);
    const std::string_view chosen = forms[static_cast<std::size_t>(index)]; // below size(), so it fits
    const auto wanted = ArgumentsOf(english);
    if (chosen.empty() || !wanted.has_value() || ArgumentsOf(chosen) != wanted)
        return std::string(english);
    return std::string(chosen);
}

// A language's name as a system or a browser gives it, in its parts:
// POSIX's "ja_JP.UTF-8", "sr_RS@latin", or BCP 47's "de-DE", "zh-Hant-HK",
// "sr-Latn", in any case.
struct LanguageTag {
    std::string Language; // "zh"
    std::string Script; // "Hant"
    std::string Region; // "HK"
    std::string Modifier; // "@latin", as gettext names a script
};

LanguageTag ParseTag(std::string_view name)
{
    LanguageTag tag;
    const std::size_t at = name.find('@');
    if (at != std::string_view::npos) {
        tag.Modifier = name.substr(at);
        name = name.substr(0, at);
    }
    name = name.substr(0, name.find('.')); // the code set
    const auto lower = [](std::string text) {
        for (char& c : text)
            c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        return text;
    };
    const auto upper = [](std::string text) {
        for (char& c : text)
            c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        return text;
    };
    tag.Modifier = lower(tag.Modifier);
    for (std::size_t k = 0; !name.empty(); ++k) {
        const std::size_t end = std::min(name.find_first_of("-_"), name.size());
        const std::string part(name.substr(0, end));
        name.remove_prefix(std::min(end + 1, name.size()));
        const bool digits = part.find_first_not_of("0123456789") == std::string::npos;
        if (k == 0) {
            tag.Language = lower(part);
        } else if (part.size() == 1) {
            break; // an extension ("de-u-co-phonebk"), which chooses no catalogue
        } else if (part.size() == 4 && !digits && tag.Script.empty() && tag.Region.empty()) {
            tag.Script = upper(part.substr(0, 1)) + lower(part.substr(1));
        } else if (((part.size() == 2 && !digits) || (part.size() == 3 && digits)) && tag.Region.empty()) {
            tag.Region = upper(part); // "BR", or a UN area: "es-419"
        }
        // A variant ("de-DE-1996") chooses no catalogue either.
    }
    return tag;
}

// Where gettext writes a script as a modifier, the BCP 47 script subtag's
// modifier; where a language's catalogues differ by script but are named
// by region (Chinese), the catalogue that each script is read from, and the
// script that a region implies when the tag names none.
struct ScriptRule {
    std::string_view Language;
    std::string_view Script;
    std::string_view Modifier; // or, when empty, the catalogue that follows
    std::string_view Catalogue;
};
// clang-format off
constexpr std::array<ScriptRule, 4> kScriptRules { {
    { "sr", "Latn", "@latin", "" },
    { "uz", "Cyrl", "@cyrillic", "" },
    { "zh", "Hans", "", "zh_CN" },
    { "zh", "Hant", "", "zh_TW" },
} };
constexpr std::array<std::pair<std::string_view, std::string_view>, 3> kRegionScripts { {
    { "zh_HK", "Hant" }, { "zh_MO", "Hant" }, { "zh_TW", "Hant" },
} };
// clang-format on

// The script that a language's catalogues are told apart by, where the
// tag names none: the region's ("Hant" for zh_TW), else the language's
// first ("Hans" for zh); empty for a language whose catalogues are not.
std::string_view ImpliedScript(const std::string& language, const std::string& locale)
{
    for (const auto& [region, script] : kRegionScripts) {
        if (region == locale)
            return script;
    }
    const auto* rule = std::find_if(kScriptRules.begin(), kScriptRules.end(),
        [&](const ScriptRule& r) { return r.Language == language && !r.Catalogue.empty(); });
    return rule == kScriptRules.end() ? std::string_view {} : rule->Script;
}

// The names of catalogues that serve the tag, best first: as gettext
// looks ("sr_RS@latin", "sr@latin", "sr_RS", "sr"), then the catalogue of
// the tag's script ("zh_TW" for "zh-HK"). A region that implies another
// script than the tag names does not count ("zh-Hans-TW" is not zh_TW).
std::vector<std::string> CandidatesOf(const LanguageTag& tag)
{
    std::string locale = tag.Region.empty() ? tag.Language : tag.Language + '_' + tag.Region;
    const std::string_view implied = ImpliedScript(tag.Language, locale);
    if (!tag.Script.empty() && !implied.empty() && implied != tag.Script)
        locale = tag.Language;
    const std::string_view script = tag.Script.empty() ? implied : std::string_view(tag.Script);
    std::string modifier = tag.Modifier;
    std::string byScript;
    for (const ScriptRule& rule : kScriptRules) {
        if (rule.Language == tag.Language && rule.Script == script) {
            modifier = modifier.empty() ? std::string(rule.Modifier) : modifier;
            byScript = rule.Catalogue;
        }
    }
    std::vector<std::string> candidates;
    for (const std::string& name : { locale + modifier, tag.Language + modifier, locale, tag.Language, byScript }) {
        if (!name.empty() && std::find(candidates.begin(), candidates.end(), name) == candidates.end())
            candidates.push_back(name);
    }
    return candidates;
}

} // namespace

const Catalogue* ChooseCatalogue(std::span<const Catalogue> catalogues, std::span<const std::string> preferred)
{
    for (const std::string& name : preferred) {
        const LanguageTag tag = ParseTag(name);
        if (tag.Language == "en")
            return nullptr;
        for (const std::string& candidate : CandidatesOf(tag)) {
            const auto found = std::find_if(catalogues.begin(), catalogues.end(),
                [&](const Catalogue& c) { return c.Language == candidate; });
            if (found != catalogues.end())
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
    // LANGUAGE is for a locale of a language: glibc's gettext leaves it
    // aside in the C locale alone, whose texts are POSIX's own. "C.UTF-8"
    // is not that locale, but it has no texts of its own either.
    if (locale.empty() || locale == "C" || locale == "POSIX")
        return {};
    std::vector<std::string> languages = LanguageList(value("LANGUAGE"), ':');
    if (languages.empty() && !locale.starts_with("C."))
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
    const std::string_view english = n == 1 ? singular : plural;
    if (g_catalogue == nullptr || ArgumentsOf(singular) != ArgumentsOf(plural))
        return std::string(english);
    return Translate(std::string(singular), english, n);
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
