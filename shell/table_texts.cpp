#include "table_texts.h"

namespace {

// Gives take each text of the table in order, until take says it has had
// enough.
template <class Take>
void WalkTexts(const SaverTable& table, Take take)
{
    auto give = [&take](const UiText& text) { return (text.Japanese || text.English) && take(text); };
    if (give(table.Description)) return;
    for (int32_t i = 0; i < table.SettingCount; ++i) {
        const SettingSpec& s = table.Settings[i];
        if (give(s.Label) || give(s.Refusal) || give(s.Help)) return;
        if (s.Kind != SettingKind::Choice || !s.Choices) continue;
        for (int32_t k = 0; k <= s.Max - s.Min; ++k)
            if (give(s.Choices[k].Label)) return;
    }
    for (int32_t i = 0; i < table.NoticeCount; ++i)
        if (give(table.Notices[i])) return;
    give(SaveFailedText);
}

} // namespace

const UiText* TableText(const SaverTable& table, int32_t place)
{
    const UiText* found = nullptr;
    int32_t at = 0;
    WalkTexts(table, [&](const UiText& text) {
        if (at++ == place) found = &text;
        return found != nullptr;
    });
    return found;
}

int32_t TextPlace(const SaverTable& table, const UiText& text)
{
    int32_t at = 0, found = -1;
    WalkTexts(table, [&](const UiText& t) {
        if (&t == &text) found = at;
        ++at;
        return found >= 0;
    });
    return found;
}
