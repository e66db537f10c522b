#include "user_language.h"

#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "text_codec.h"

namespace {

// "UTF-8" or "utf8", the code set of a locale name.
bool IsUtf8(const char* codeset, size_t length)
{
    return (length == 5 && strncasecmp(codeset, "utf-8", 5) == 0) ||
           (length == 4 && strncasecmp(codeset, "utf8", 4) == 0);
}

} // namespace

Language UserLanguage()
{
    const char* locale = nullptr;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) {
            locale = value;
            break;
        }
    }
    // language[_territory][.codeset][@modifier]; "ja" alone too.
    if (!locale || std::strncmp(locale, "ja", 2) != 0 || !std::strchr("_.@", locale[2])) return Language::English;
    const char* dot = std::strchr(locale, '.');
    if (!dot) return Language::Japanese;
    const char* at = std::strchr(dot, '@');
    const size_t length = at ? static_cast<size_t>(at - dot - 1) : std::strlen(dot + 1);
    return IsUtf8(dot + 1, length) ? Language::Japanese : Language::English;
}

void ShownText(const UiText& text, char* out, size_t size)
{
    const char16_t* form = UserLanguage() == Language::Japanese || !text.English ? text.Japanese : text.English;
    if (!form || !Utf16ToUtf8(form, out, size)) out[0] = '\0';
}
