#include "TypedTextRules.h"

#include <algorithm>

namespace {

constexpr wchar_t kBackspace = L'\b';

} // namespace

bool IsTypableCharacter(wchar_t c)
{
    return c >= L' ' && c <= L'~';
}

bool AcceptsTypedKey(wchar_t key, std::size_t bothLengths)
{
    if (key == kBackspace)
        return true;
    return IsTypableCharacter(key) && bothLengths < kTypedTextBudget;
}

FilteredText FilterTypedText(const std::wstring& text, std::size_t caret, std::size_t otherLength)
{
    FilteredText result;
    caret = std::min(caret, text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == caret)
            result.caret = result.text.size();
        if (IsTypableCharacter(text[i]))
            result.text += text[i];
    }
    if (caret == text.size())
        result.caret = result.text.size();

    const std::size_t room = kTypedTextBudget - std::min(otherLength, kTypedTextBudget);
    if (result.text.size() > room) {
        std::size_t excess = result.text.size() - room;
        const std::size_t beforeCaret = std::min(excess, result.caret);
        result.text.erase(result.caret - beforeCaret, beforeCaret);
        result.caret -= beforeCaret;
        excess -= beforeCaret;
        result.text.resize(result.text.size() - excess);
    }
    return result;
}

std::wstring WordsLeftText(const std::wstring& format, std::size_t count)
{
    const long left = static_cast<long>(kTypedTextBudget) - static_cast<long>(count);
    std::wstring text = format;
    const std::size_t at = text.find(L"%d");
    if (at != std::wstring::npos)
        text.replace(at, 2, std::to_wstring(left));
    return text;
}

TypedTexts StoredTypedTexts(const _FunData& record)
{
    // fun.cfg may be edited by hand: what a field shows and counts is what could have been typed.
    TypedTexts texts;
    const std::wstring first(FieldText(record.Value[0]));
    texts.first = FilterTypedText(first, first.size(), 0).text;
    if (record.Count == 2) {
        const std::wstring second(FieldText(record.Value[1]));
        texts.second = FilterTypedText(second, second.size(), texts.first.size()).text;
    }
    return texts;
}
