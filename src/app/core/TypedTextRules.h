#pragma once

#include "FunData.h"

#include <cstddef>
#include <string>

// The Smart Input page's rules for its two texts, which the controller types with a TAB between
// them: printable ASCII only, at most 50 characters in both together.

constexpr std::size_t kTypedTextBudget = 50;

// U+0020 space to U+007E tilde.
bool IsTypableCharacter(wchar_t c);

// A key typed into either field, with both texts holding `bothLengths` characters before it:
// backspace always; a typable character while there is room (selected text does not count as
// freed); nothing else.
bool AcceptsTypedKey(wchar_t key, std::size_t bothLengths);

// A field's text after a change that did not come through a typed key (a paste): characters that
// cannot be typed are dropped, and so many before the caret as the budget left by the other
// field's text requires (then from the end). The caret keeps its place in what remains.
struct FilteredText {
    std::wstring text;
    std::size_t caret = 0;
};
FilteredText FilterTypedText(const std::wstring& text, std::size_t caret, std::size_t otherLength);

// The words-left caption: the first "%d" of the (translated) format replaced by 50 - count.
std::wstring WordsLeftText(const std::wstring& format, std::size_t count);

// The texts a stored typed-text record gives, through the same filter and budget as a paste (the
// first text first); a value "2" that an earlier assignment left counts only when Count is 2.
struct TypedTexts {
    std::wstring first;
    std::wstring second;
};
TypedTexts StoredTypedTexts(const _FunData& record);
