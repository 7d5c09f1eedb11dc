#pragma once

#include <string>

// The English user-interface text in the user's language, through the translation library.
std::wstring Translate(const std::wstring& text);
